#pragma once

#include <string>
#include <string_view>

#include "store/app_state.hpp"

namespace tarvomen::styles {

// Visited-link colour of the page as each picker spells it.
inline constexpr const char* kThemeVisitedLink = "#0000ff";
inline constexpr const char* kMixVisitedLink = "#0000FF";

// The bytes of the media test page (Windows-1252, CR LF line ends): a sound plays three times,
// anything else is embedded as a video. `mediaFolder` is the folder field as held (blank-padded);
// `aviTestFile` the trimmed file name.
std::string AviTestPageBytes(bool sound, std::string_view mediaFolder, std::string_view aviTestFile,
                             std::string_view visitedLinkColour);

// Writes the media test page for a file of the current style's `MediaFolder` and hands it to the
// desktop shell. Throws Error when the page cannot be written.
void WriteAndOpenAviTestPage(AppState& state, bool sound, std::string_view aviTestFile,
                             std::string_view visitedLinkColour);

}  // namespace tarvomen::styles
