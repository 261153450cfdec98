#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvomen::check {

// One start or end tag of a page, read as a tolerant browser reads it: names in upper case,
// values double-quoted, single-quoted or bare, blanks allowed around "=".
struct Tag {
    std::string name;                                             // "A", "/A", "IMG" ...
    std::vector<std::pair<std::string, std::string>> attributes;  // name in upper case, value
    std::size_t end = 0;                                          // offset just past the tag's ">"

    // The value of an attribute given with a value, or nothing.
    const std::string* attribute(std::string_view upperName) const;
};

// The tags of a page in order; comments are skipped.
std::vector<Tag> scanTags(std::string_view html);

// The text between two offsets with the tags removed, character references decoded and runs of
// white space made one blank, trimmed.
std::string textBetween(std::string_view html, std::size_t from, std::size_t to);

// Decodes the character references a browser decodes in text and attribute values (&amp; &lt;
// &gt; &quot; &apos; &nbsp; &#N; &#xN;); anything else, a bare "&" among them, stays as written.
// Works on Windows-1252 bytes: references above 255 are left as written.
std::string decodeReferences(std::string_view text);

}  // namespace tarvomen::check
