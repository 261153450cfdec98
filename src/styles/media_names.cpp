#include "styles/media_names.hpp"

#include <initializer_list>

namespace tarvomen::styles {
namespace {

// First and last characters as the pickers take them: the whole name when it is shorter.
std::string_view left(std::string_view name, std::size_t count) {
    return name.substr(0, count);
}
std::string_view right(std::string_view name, std::size_t count) {
    return name.size() <= count ? name : name.substr(name.size() - count);
}

std::string_view picturePrefix(MediaKind kind) {
    switch (kind) {
        case MediaKind::BackGround:
            return "BACKGD";
        case MediaKind::Banner:
            return "BANNER";
        case MediaKind::Ruler:
            return "HRULER";
        case MediaKind::Images:
            return "IMAGES";
        case MediaKind::Control:
            return "CONTRL";
        default:
            return "";
    }
}

std::string_view pictureExtension(PictureExtension extension) {
    return extension == PictureExtension::Gif ? ".GIF" : ".JPG";
}

bool endsInOneOf(std::string_view name, std::initializer_list<std::string_view> endings) {
    const std::string_view ending = right(name, 4);
    for (std::string_view candidate : endings) {
        if (ending == candidate) return true;
    }
    return false;
}

}  // namespace

std::string themeSearchPattern(MediaKind kind, PictureExtension extension) {
    switch (kind) {
        case MediaKind::Sound:
            return ".WAV";
        case MediaKind::Video:
            return ".AVI";
        default:
            return std::string(picturePrefix(kind)) + std::string(pictureExtension(extension));
    }
}

bool themeAccepts(MediaKind kind, PictureExtension extension, std::string_view name) {
    switch (kind) {
        case MediaKind::Sound:
            return left(name, 5) == "SOUND" && right(name, 4) == ".WAV";
        case MediaKind::Video:
            return left(name, 6) != "SOUNDS" && right(name, 4) == ".AVI";
        default:
            return left(name, 6) == picturePrefix(kind) &&
                   right(name, 4) == pictureExtension(extension);
    }
}

bool hasMixPictureEnding(std::string_view name) {
    return endsInOneOf(name, {".GIF", ".JPG", ".gif", ".jpg"});
}

bool mixAccepts(MediaKind kind, std::string_view name) {
    switch (kind) {
        case MediaKind::Sound:
            return endsInOneOf(name, {".WAV", ".wav"});
        case MediaKind::Video:
            return endsInOneOf(name, {".MPG", ".mpg", ".AVI", ".avi"});
        default:
            return hasMixPictureEnding(name);
    }
}

}  // namespace tarvomen::styles
