#include "check/media_kind.hpp"

#include "check/ascii_case.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

namespace tarvomen::check {
namespace {

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

// A RIFF file ("RIFF", size of the rest, form) of the given form, as long as its header says.
std::optional<MediaFault> riffFault(std::string_view bytes, std::string_view form,
                                    MediaFault wrongKind) {
    if (bytes.size() < 12 || !startsWith(bytes, "RIFF") || bytes.substr(8, 4) != form) {
        return wrongKind;
    }
    std::uint64_t rest = 0;
    for (int i = 7; i >= 4; --i) rest = rest << 8 | static_cast<unsigned char>(bytes[i]);
    if (rest + 8 > bytes.size()) return MediaFault::CutShort;
    return std::nullopt;
}

}  // namespace

std::optional<MediaFault> mediaBytesFault(std::string_view extension, std::string_view bytes) {
    const std::string ext = lowerAscii(extension);
    if (ext == ".gif") {
        if (!startsWith(bytes, "GIF87a") && !startsWith(bytes, "GIF89a")) return MediaFault::NotGif;
        // The trailer byte ends every whole GIF file.
        if (bytes.back() != '\x3B') return MediaFault::CutShort;
        return std::nullopt;
    }
    if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe") {
        if (!startsWith(bytes, "\xFF\xD8\xFF")) return MediaFault::NotJpeg;
        // The end-of-image marker, allowing for the few bytes of padding some writers add.
        const std::size_t eoi = bytes.rfind("\xFF\xD9");
        if (eoi == std::string_view::npos || eoi + 2 + 16 < bytes.size()) {
            return MediaFault::CutShort;
        }
        return std::nullopt;
    }
    if (ext == ".wav") return riffFault(bytes, "WAVE", MediaFault::NotWav);
    if (ext == ".avi") return riffFault(bytes, "AVI ", MediaFault::NotAvi);
    if (ext == ".mpg" || ext == ".mpeg" || ext == ".mpe") {
        if (!startsWith(bytes, std::string_view("\0\0\x01\xBA", 4)) &&
            !startsWith(bytes, std::string_view("\0\0\x01\xB3", 4))) {
            return MediaFault::NotMpeg;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace tarvomen::check
