#include "check/html_scan.hpp"

#include <cctype>
#include <charconv>

namespace tarvomen::check {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Reads one tag starting at html[at] == '<'; returns false when it is not a tag.
bool readTag(std::string_view html, std::size_t at, Tag& tag) {
    std::size_t i = at + 1;
    const std::size_t nameStart = i;
    if (i < html.size() && html[i] == '/') ++i;
    if (i >= html.size() || !std::isalpha(static_cast<unsigned char>(html[i]))) return false;
    while (i < html.size() && !isSpace(html[i]) && html[i] != '>' && html[i] != '/') ++i;
    tag.name = upper(html.substr(nameStart, i - nameStart));
    tag.attributes.clear();
    while (i < html.size()) {
        while (i < html.size() && (isSpace(html[i]) || html[i] == '/')) ++i;
        if (i >= html.size()) break;
        if (html[i] == '>') {
            ++i;
            break;
        }
        const std::size_t attrStart = i;
        while (i < html.size() && !isSpace(html[i]) && html[i] != '>' && html[i] != '=') ++i;
        std::string name = upper(html.substr(attrStart, i - attrStart));
        std::size_t look = i;
        while (look < html.size() && isSpace(html[look])) ++look;
        if (look >= html.size() || html[look] != '=') {
            tag.attributes.emplace_back(std::move(name), std::string{});
            continue;
        }
        i = look + 1;
        while (i < html.size() && isSpace(html[i])) ++i;
        std::string value;
        if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
            const char quote = html[i];
            const std::size_t close = html.find(quote, i + 1);
            const std::size_t stop = close == std::string_view::npos ? html.size() : close;
            value = html.substr(i + 1, stop - i - 1);
            i = stop == html.size() ? stop : stop + 1;
        } else {
            const std::size_t valueStart = i;
            while (i < html.size() && !isSpace(html[i]) && html[i] != '>') ++i;
            value = html.substr(valueStart, i - valueStart);
        }
        tag.attributes.emplace_back(std::move(name), decodeReferences(value));
    }
    tag.end = i;
    return true;
}

}  // namespace

const std::string* Tag::attribute(std::string_view upperName) const {
    for (const auto& [name, value] : attributes) {
        if (name == upperName) return &value;
    }
    return nullptr;
}

std::vector<Tag> scanTags(std::string_view html) {
    std::vector<Tag> tags;
    std::size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        if (html.substr(i, 4) == "<!--") {
            const std::size_t close = html.find("-->", i + 4);
            if (close == std::string_view::npos) break;
            i = close + 3;
            continue;
        }
        Tag tag;
        if (readTag(html, i, tag)) {
            i = tag.end;
            tags.push_back(std::move(tag));
        } else {
            ++i;
        }
    }
    return tags;
}

std::string textBetween(std::string_view html, std::size_t from, std::size_t to) {
    std::string text;
    bool inTag = false;
    for (std::size_t i = from; i < to && i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<') inTag = true;
        if (!inTag) text += isSpace(c) ? ' ' : c;
        if (c == '>') inTag = false;
    }
    std::string decoded = decodeReferences(text), squeezed;
    for (char c : decoded) {
        if (c == ' ' && (squeezed.empty() || squeezed.back() == ' ')) continue;
        squeezed += c;
    }
    while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    return squeezed;
}

std::string decodeReferences(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", '\xA0'}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semi = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semi == std::string_view::npos || semi - i > 8) {
            out += text[i];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semi - i - 1);
        bool decoded = false;
        if (!name.empty() && name[0] == '#') {
            const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
            const std::string_view digits = name.substr(hex ? 2 : 1);
            unsigned value = 0;
            const auto [end, ec] =
                std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
            if (ec == std::errc{} && end == digits.data() + digits.size() && !digits.empty() &&
                value <= 255) {
                out += static_cast<char>(value);
                decoded = true;
            }
        } else {
            for (const auto& [entity, c] : kNamed) {
                if (name == entity) {
                    out += c;
                    decoded = true;
                }
            }
        }
        if (decoded) {
            i = semi;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace tarvomen::check
