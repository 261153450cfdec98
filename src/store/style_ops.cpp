#include "store/style_ops.hpp"

#include <string>

#include "platform/cp1252.hpp"

namespace tarvomen {
namespace {

std::string colourAt(const AppState& state, int position) {
    if (position < 0 || position >= kColorCount) return {};
    return state.ColorCodes[static_cast<std::size_t>(position)].code;
}

std::string fontAt(const AppState& state, int position) {
    if (!state.services.fonts) return {};
    // Font names of the list are all representable in Windows-1252.
    return cp1252::fromUtf8(state.services.fonts->nameAt(position), "the font name");
}

// The size position as stored: position + 1 in decimal, cut to one character.
std::string sizeAt(int position) {
    return std::to_string(position + 1).substr(0, 1);
}

void blankMedia(StyleRecord& style) {
    for (auto* field : {&style.BackgroundFile, &style.BannerFile, &style.RulerFile,
                        &style.ImageFile, &style.ControlFile, &style.SoundFile, &style.VideoFile}) {
        field->assign("");
    }
    style.MediaFolder.assign("");
}

}  // namespace

void FillColorText(AppState& state) {
    state.ColorCodes = standardColorCodes();
}

std::int32_t GetMediaKey(AppState& state) {
    if (const auto recordNo = StyleRecordNo(state.Selection)) state.MediaKey = *recordNo;
    return state.MediaKey;
}

void GetMediaParm(AppState& state) {
    state.CurrentStyle = state.files.readStyle(GetMediaKey(state));
}

StyleRecord BuildStyleRecord(const AppState& state) {
    const StyleRecord& current = state.CurrentStyle;
    StyleRecord record = current;  // RecordNo, media names, folder, LinkToProfile
    const auto& index = current.StyleIndex;
    record.ScreenColor.assign(colourAt(state, index[0]));
    record.LinkColor.assign(colourAt(state, index[1]));
    record.ActiveLinkColor.assign(colourAt(state, index[2]));
    record.BoxColor.assign(colourAt(state, index[3]));
    record.BoxTextColor.assign(colourAt(state, index[4]));
    record.BoxFont.assign(fontAt(state, index[5]));
    record.BoxTextSize.assign(sizeAt(index[6]));
    record.TextColor.assign(colourAt(state, index[7]));
    record.TextSize.assign(sizeAt(index[8]));
    record.TextFont.assign(fontAt(state, index[9]));
    return record;
}

void PutMediaParm(AppState& state) {
    const StyleRecord record = BuildStyleRecord(state);
    state.files.writeStyle(GetMediaKey(state), record);
}

void DoCleanMedia(AppState& state) {
    if (!state.KillDetail && state.services.messages) {
        state.services.messages->inform("Will overwrite old Media Parms", "Tarvomen MediaPick");
    }
    const std::int32_t key = GetMediaKey(state);
    StyleRecord record = state.files.readStyle(key);
    blankMedia(state.CurrentStyle);
    blankMedia(record);
    state.files.writeStyle(key, record);
}

void CopyStyleToAllProducts(AppState& state) {
    state.Selection.PageKind = PageType::Product;
    GetMediaParm(state);
    StyleRecord record = BuildStyleRecord(state);
    record.RecordNo = 0;
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) state.files.writeStyle(n, record);
}

}  // namespace tarvomen
