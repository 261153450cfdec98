#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvomen::publish::media_page {

// The media test page as the preview server shows it. The page on disk embeds its medium by a
// Windows path in a BGSOUND or EMBED tag, which browsers neither resolve nor know; the served
// copy puts an HTML5 player with controls in that tag's place, playing the medium from an
// address of the server, and leaves every other byte as written.

// What the browser can do with a medium, known by its file name's ending.
struct MediumType {
    std::string_view extension;  // ".wav"
    const char* contentType;     // sent with the medium
    bool video;                  // <video> rather than <audio>
    bool playable;               // current browsers play it
};
// The type of a medium by its name (any letter case), or nullptr for a file that is no medium.
const MediumType* mediumTypeOf(std::string_view name);

// The medium a page names: the SRC of its first BGSOUND or EMBED tag.
struct NamedMedium {
    std::string source;        // the SRC value as written (Windows-1252)
    std::string name;          // its last component, "SOUNDS01.WAV"
    std::size_t tagBegin = 0;  // the tag "<BGSOUND ... >" in the page
    std::size_t tagEnd = 0;    // one past its ">"
    int plays = 1;             // from LOOP: a count, or 0 for INFINITE (or -1)
};
std::optional<NamedMedium> namedMedium(std::string_view page);

// The served page: the first BGSOUND or EMBED tag becomes an <audio> or <video> element with
// controls, its source `mediumAddress`, playing `plays` times (a small script starts it again
// after it ends) or forever. A medium whose format browsers cannot play gets, in place of an
// empty player, a paragraph of `cannotPlayText` (UTF-8) followed by the medium's name. A page
// without such a tag is returned as it is.
std::string servedPage(std::string_view page, std::string_view mediumAddress,
                       std::string_view cannotPlayText);

}  // namespace tarvomen::publish::media_page
