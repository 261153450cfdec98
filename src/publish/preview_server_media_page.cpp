#include "publish/preview_server_media_page.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"

namespace tarvomen::publish::media_page {
namespace {

constexpr std::array<MediumType, 6> kMediumTypes = {{
    {".wav", "audio/wav", false, true},
    {".mp4", "video/mp4", true, true},
    {".webm", "video/webm", true, true},
    {".avi", "video/x-msvideo", true, false},
    {".mpg", "video/mpeg", true, false},
    {".mpeg", "video/mpeg", true, false},
}};

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != prefix[i]) return false;
    }
    return true;
}

// The start of the first tag named `name` (lower case, with its "<"), or npos.
std::size_t findTag(std::string_view page, std::string_view name) {
    for (std::size_t at = page.find('<'); at != std::string_view::npos;
         at = page.find('<', at + 1)) {
        const std::string_view rest = page.substr(at);
        if (!startsWithNoCase(rest, name)) continue;
        if (rest.size() == name.size()) return std::string_view::npos;  // cut short
        const char after = rest[name.size()];
        if (isSpace(after) || after == '>' || after == '/') return at;
    }
    return std::string_view::npos;
}

struct Attribute {
    std::string name;  // lower case
    std::string value;
};

// Reads the attributes of the tag whose name ends at `at`, up to its ">". Returns the position
// after ">", or npos for a tag that is not closed.
std::size_t readAttributes(std::string_view page, std::size_t at, std::vector<Attribute>& out) {
    const auto skipSpace = [&] {
        while (at < page.size() && (isSpace(page[at]) || page[at] == '/')) ++at;
    };
    while (true) {
        skipSpace();
        if (at >= page.size()) return std::string_view::npos;
        if (page[at] == '>') return at + 1;
        Attribute attribute;
        while (at < page.size() && !isSpace(page[at]) && page[at] != '=' && page[at] != '>') {
            attribute.name += lower(page[at++]);
        }
        while (at < page.size() && isSpace(page[at])) ++at;
        if (at < page.size() && page[at] == '=') {
            ++at;
            while (at < page.size() && isSpace(page[at])) ++at;
            if (at < page.size() && (page[at] == '"' || page[at] == '\'')) {
                const char quote = page[at++];
                const std::size_t end = page.find(quote, at);
                if (end == std::string_view::npos) return std::string_view::npos;
                attribute.value = page.substr(at, end - at);
                at = end + 1;
            } else {
                while (at < page.size() && !isSpace(page[at]) && page[at] != '>') {
                    attribute.value += page[at++];
                }
            }
        }
        out.push_back(std::move(attribute));
    }
}

// LOOP=n plays n times; INFINITE or -1 for ever (0); anything else once.
int playsOf(std::string_view loop) {
    if (startsWithNoCase(loop, "infinite") && loop.size() == 8) return 0;
    int count = 0;
    const auto [end, ec] = std::from_chars(loop.data(), loop.data() + loop.size(), count);
    if (ec != std::errc{} || end != loop.data() + loop.size()) return 1;
    if (count == -1) return 0;
    return count >= 1 ? count : 1;
}

// Windows-1252 text as HTML text or attribute value.
std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// UTF-8 text in the Windows-1252 page; characters the page cannot hold are left out.
std::string pageText(std::string_view utf8) {
    try {
        return cp1252::fromUtf8(utf8);
    } catch (const Error&) {
        std::string ascii;
        for (const char c : utf8) {
            if (static_cast<unsigned char>(c) < 0x80) ascii += c;
        }
        return ascii;
    }
}

std::string player(const MediumType& type, std::string_view address, int plays) {
    const char* element = type.video ? "video" : "audio";
    std::string html = std::string("<") + element + " controls autoplay preload=\"auto\"" +
                       (plays == 0 ? " loop" : "") + " src=\"" + escaped(address) + "\"></" +
                       element + ">";
    if (plays > 1) {
        // Starts the medium again after it ends until it has played `plays` times.
        html +=
            "<script>(function(){var m=document.currentScript.previousElementSibling,n=1;"
            "m.addEventListener(\"ended\",function(){if(n<" +
            std::to_string(plays) + "){n++;m.play();}});})();</script>";
    }
    return html;
}

}  // namespace

const MediumType* mediumTypeOf(std::string_view name) {
    for (const MediumType& type : kMediumTypes) {
        if (name.size() > type.extension.size() &&
            startsWithNoCase(name.substr(name.size() - type.extension.size()), type.extension)) {
            return &type;
        }
    }
    return nullptr;
}

std::optional<NamedMedium> namedMedium(std::string_view page) {
    const std::size_t sound = findTag(page, "<bgsound");
    const std::size_t embed = findTag(page, "<embed");
    const std::size_t begin = std::min(sound, embed);
    if (begin == std::string_view::npos) return std::nullopt;
    const std::size_t nameLength = begin == sound ? 8 : 6;

    std::vector<Attribute> attributes;
    const std::size_t end = readAttributes(page, begin + nameLength, attributes);
    if (end == std::string_view::npos) return std::nullopt;
    NamedMedium medium;
    medium.tagBegin = begin;
    medium.tagEnd = end;
    bool hasSource = false;
    bool hasLoop = false;
    // The first of an attribute counts, as in a browser.
    for (const Attribute& attribute : attributes) {
        if (attribute.name == "src" && !hasSource) {
            medium.source = attribute.value;
            hasSource = true;
        } else if (attribute.name == "loop" && !hasLoop) {
            medium.plays = playsOf(attribute.value);
            hasLoop = true;
        }
    }
    if (!hasSource) return std::nullopt;
    const std::size_t slash = medium.source.find_last_of("\\/");
    medium.name = slash == std::string::npos ? medium.source : medium.source.substr(slash + 1);
    return medium;
}

std::string servedPage(std::string_view page, std::string_view mediumAddress,
                       std::string_view cannotPlayText) {
    const std::optional<NamedMedium> medium = namedMedium(page);
    if (!medium) return std::string(page);
    const MediumType* type = mediumTypeOf(medium->name);
    const std::string replacement =
        type && type->playable
            ? player(*type, mediumAddress, medium->plays)
            : "<P>" + escaped(pageText(cannotPlayText)) + escaped(medium->name) + "</P>";
    std::string served(page.substr(0, medium->tagBegin));
    served += replacement;
    served += page.substr(medium->tagEnd);
    return served;
}

}  // namespace tarvomen::publish::media_page
