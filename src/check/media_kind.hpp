#pragma once

#include <optional>
#include <string_view>

namespace tarvomen::check {

enum class MediaFault {
    NotGif,
    NotJpeg,
    NotWav,
    NotAvi,
    NotMpeg,
    CutShort,  // the signature is right but the file ends before its own end marker or size
};

// What is wrong with a medium's bytes for the kind its extension names (GIF, JPEG, WAV, AVI,
// MPEG). Nothing for a whole medium, nor for the extensions of other kinds, which are not
// checked.
std::optional<MediaFault> mediaBytesFault(std::string_view extension, std::string_view bytes);

}  // namespace tarvomen::check
