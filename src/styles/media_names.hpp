#pragma once

#include <string>
#include <string_view>

namespace tarvomen::styles {

// The kinds of media a page can take, in the order of the pickers' kind options.
enum class MediaKind { BackGround, Banner, Ruler, Images, Control, Sound, Video };
inline constexpr int kMediaKindCount = 7;

constexpr bool isPictureKind(MediaKind kind) {
    return kind != MediaKind::Sound && kind != MediaKind::Video;
}

// The picture extension chosen in the theme picker.
enum class PictureExtension { Gif, Jpg };

// The search pattern of a kind in a theme folder: the prefix and extension of the picture kinds
// ("BACKGD.JPG"), ".WAV" for sounds, ".AVI" for videos.
std::string themeSearchPattern(MediaKind kind, PictureExtension extension);

// Whether a file (trimmed name) of a theme folder is listed for a kind. Names are compared with
// exact letter case: a picture needs the kind's six-letter prefix and the chosen extension, a
// sound "SOUND" and ".WAV", a video ".AVI" and a name not beginning with "SOUNDS".
bool themeAccepts(MediaKind kind, PictureExtension extension, std::string_view name);

// Whether a file (trimmed name) of a mix folder is listed for a kind: by its last four
// characters alone, pictures ".GIF", ".JPG", ".gif", ".jpg" whatever the extension option,
// sounds ".WAV", ".wav", videos ".MPG", ".mpg", ".AVI", ".avi".
bool mixAccepts(MediaKind kind, std::string_view name);
bool hasMixPictureEnding(std::string_view name);

}  // namespace tarvomen::styles
