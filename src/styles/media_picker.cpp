#include "styles/media_picker.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "shell/strings.hpp"
#include "store/site_paths.hpp"
#include "store/style_ops.hpp"
#include "styles/media_test_page.hpp"
#include "styles/picker_common.hpp"

namespace tarvomen::styles {
namespace {

// A folder as the folder list shows it: its last name, the drive's root ("C:\") as it is.
std::string shownName(std::string_view path) {
    const std::size_t slash = path.find_last_of('\\');
    return std::string(slash == std::string_view::npos || slash + 1 == path.size()
                           ? path
                           : path.substr(slash + 1));
}

// Everything about a kind, in the order of MediaKind.
struct KindInfo {
    const char* optionName;
    int captionText;
    int labelText;
    int displayButton;  // index of Option2 ... Option8
    FixedText<12> StyleRecord::*field;
};
constexpr KindInfo kKinds[kMediaKindCount] = {
    {"OptBackGround", 161, 127, 0, &StyleRecord::BackgroundFile},
    {"OptBanner", 162, 128, 1, &StyleRecord::BannerFile},
    {"OptRuler", 164, 129, 2, &StyleRecord::RulerFile},
    {"OptImages", 163, 130, 3, &StyleRecord::ImageFile},
    {"OptControl", 165, 131, 6, &StyleRecord::ControlFile},
    {"OptSound", 166, 132, 4, &StyleRecord::SoundFile},
    {"OptVideo", 167, 133, 5, &StyleRecord::VideoFile},
};
// Captions of Option2 ... Option8.
constexpr int kDisplayCaptions[kMediaKindCount] = {161, 162, 164, 163, 166, 167, 165};

const KindInfo& info(MediaKind kind) {
    return kKinds[static_cast<int>(kind)];
}

MediaPicker::Symbol symbolOf(MediaKind kind) {
    switch (kind) {
        case MediaKind::Sound:
            return MediaPicker::Symbol::Sound;
        case MediaKind::Video:
            return MediaPicker::Symbol::Video;
        default:
            return MediaPicker::Symbol::None;
    }
}

// Alphabetical order of names, as the platform's file lists show them: letter case aside first,
// then by bytes so that the order is total.
void sortAlphabetically(std::vector<std::string>& names) {
    auto folded = [](const std::string& s) {
        std::string out = s;
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return out;
    };
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const std::string fa = folded(a);
        const std::string fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
}

// The first 36 characters of a folder path below the media folder that mark a mix folder.
const std::string kMixUpper = std::string(paths::kMediaFolder) + "\\MIX";
const std::string kMixLower = std::string(paths::kMediaFolder) + "\\mix";

bool startsWith36(const std::string& path, const std::string& prefix) {
    return path.substr(0, 36) == prefix;
}

}  // namespace

MediaPicker::MediaPicker(AppState& state, WindowManager& windows, WindowId self)
    : state_(state), windows_(windows), self_(self) {}

std::string MediaPicker::text(int id) const {
    return shell::text(state_, id);
}

void MediaPicker::FormLoad() {
    command1Caption_ = state_.Selection.PageKind == PageType::Home ? text(56) : text(54);
    command2Caption_ = text(50);
    selectCaption_ = text(168);
    gifCaption_ = text(159);
    jpgCaption_ = text(160);
    for (int k = 0; k < kMediaKindCount; ++k) {
        kindOptions_[static_cast<std::size_t>(k)] = {kKinds[k].optionName,
                                                     text(kKinds[k].captionText)};
        display_[static_cast<std::size_t>(k)].caption = text(kDisplayCaptions[k]);
    }
    display_[static_cast<std::size_t>(info(MediaKind::Sound).displayButton)].symbol = Symbol::Sound;
    display_[static_cast<std::size_t>(info(MediaKind::Video).displayButton)].symbol = Symbol::Video;
    HideScreenItems();
}

void MediaPicker::HideScreenItems() {
    // The folder list: the media folder's parents, the media folder and its sub-folders.
    dir1_.clear();
    int level = 0;
    for (const char* parent : {paths::kDriveRoot, paths::kProgramFilesFolder, paths::kProgramFolder,
                               paths::kMediaFolder}) {
        dir1_.push_back({shownName(parent), parent, level++, false});
    }
    auto folders = state_.drive.listFolder(paths::kMediaFolder, true);
    sortAlphabetically(folders);
    for (const auto& name : folders) {
        dir1_.push_back({name, std::string(paths::kMediaFolder) + "\\" + name, 4, true});
    }
    command1Visible_ = false;

    for (auto& button : option1_) {
        button.visible = false;
        button.selected = false;
    }

    richText_.clear();
    for (int id = firstHelpText(); id <= lastHelpText(); ++id) richText_ += text(id) + "\n";
    label1_ = text(folderPrompt());

    hideLargePicture();
    srchPattern_ = "BACKGD";
    extension_ = PictureExtension::Jpg;
    kind_ = MediaKind::BackGround;
    framesVisible_ = false;
    for (auto& button : display_) button.visible = false;
}

void MediaPicker::Dir1Click(int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= dir1_.size()) return;
    const FolderEntry chosen = dir1_[static_cast<std::size_t>(entry)];
    if (!chosen.subFolder || !folderAccepted(chosen.path)) {
        refuseFolder();
        return;
    }

    // The folder must fit the style record as it is, or the media could not be found again.
    std::string folder;
    try {
        folder = cp1252::fromUtf8(chosen.path + "\\", "the folder name");
        if (folder.size() > FixedText<255>::kWidth) {
            throw Error("The folder name \"" + chosen.name + "\" is too long for a media folder.");
        }
    } catch (const Error& error) {
        informUser(state_, error.what(), "Tarvomen");
        return;
    }

    DoCleanMedia(state_);
    dir1Visible_ = false;
    richTextVisible_ = false;
    command1Visible_ = true;
    state_.CurrentStyle.MediaFolder = folder;
    chosenFolder_ = folder;
    state_.drive.changeDirectory(chosen.path);

    auto names = state_.drive.listFolder(chosen.path, false);
    sortAlphabetically(names);
    fileNames_.clear();
    for (const auto& name : names) {
        // A name the style record cannot hold could never be stored.
        if (cp1252::firstUnencodable(name)) continue;
        fileNames_.emplace_back(cp1252::fromUtf8(name));
        if (fileNames_.size() == kMaxFiles) break;
    }
    listFiles();
}

void MediaPicker::showPageKindLabel() {
    const auto kind = static_cast<int>(state_.Selection.PageKind);
    if (kind >= 0 && kind <= 2) label1_ = text(121 + kind);
}

template <class Accepts>
void MediaPicker::listAccepted(Accepts accepts) {
    dir1Visible_ = false;
    framesVisible_ = true;
    showPageKindLabel();
    srchPattern_ = themeSearchPattern(kind_, extension_);
    myPat_ = std::string(trimBlanks(srchPattern_));

    shownCount_ = 0;
    for (const auto& name : fileNames_) {
        const std::string trimmed = name.trimmed();
        if (!accepts(trimmed)) continue;
        shownFiles_[static_cast<std::size_t>(shownCount_)] = name;
        auto& button = option1_[static_cast<std::size_t>(shownCount_)];
        button.visible = true;
        button.symbol = symbolOf(kind_);
        if (isPictureKind(kind_)) {
            button.file = trimmed;
        } else {
            button.caption = cp1252::toUtf8(trimmed);
        }
        if (++shownCount_ == kButtons) break;
    }
}

void MediaPicker::ClearOption1() {
    for (auto& button : option1_) button = PictureButton{};
    shownCount_ = 0;
    if (displayPicVisible_) listFiles();
}

void MediaPicker::KindClick(MediaKind kind) {
    kind_ = kind;
    label1_ = text(info(kind).labelText);
    ClearOption1();
}

void MediaPicker::ExtensionClick(PictureExtension extension) {
    extension_ = extension;
    ClearOption1();
}

void MediaPicker::showFileLabel(int textId, int button) {
    label1_ = text(textId) + cp1252::toUtf8(shownFiles_[static_cast<std::size_t>(button)].raw());
}

void MediaPicker::Option1Click(int button) {
    if (button < 0 || button >= shownCount_) return;
    for (int i = 0; i < kButtons; ++i) option1_[static_cast<std::size_t>(i)].selected = i == button;
    showFileLabel(137, button);
    const std::string file = shownFiles_[static_cast<std::size_t>(button)].trimmed();
    if (!isPictureKind(kind_)) {
        aviTestFile_ = file;
        TestAVIHtml();
    } else {
        showClickedPicture(file);
    }
}

void MediaPicker::TestAVIHtml() {
    label1_ = text(134);
    try {
        WriteAndOpenAviTestPage(state_, kind_ == MediaKind::Sound, aviTestFile_,
                                visitedLinkColour());
    } catch (const Error& error) {
        informUser(state_, error.what(), "Tarvomen");
    }
}

void MediaPicker::Option1DblClick(int button) {
    if (button < 0 || button >= shownCount_) return;
    showFileLabel(135, button);
    takeDoubleClicked(button);
}

void MediaPicker::takeForKind(int button) {
    if (kind_ == MediaKind::Control && state_.Selection.PageKind != PageType::Product) {
        informUser(state_, text(136), "Tarvomen - MediaPick");
        return;
    }
    for (int i = 0; i < kButtons; ++i) option1_[static_cast<std::size_t>(i)].selected = i == button;
    const auto& chosen = shownFiles_[static_cast<std::size_t>(button)];
    auto& display = display_[static_cast<std::size_t>(info(kind_).displayButton)];
    display.visible = true;
    if (isPictureKind(kind_)) display.file = chosen.trimmed();
    state_.CurrentStyle.*info(kind_).field = chosen;
}

void MediaPicker::Command1Click() {
    PutMediaParm(state_);
    RunGenerateCommand(state_);
    GetMediaParm(state_);
    if (!chosenFolder_.empty()) {
        state_.CurrentStyle.MediaFolder = trimBlanks(chosenFolder_);
        state_.drive.changeDirectory(cp1252::toUtf8(chosenFolder_));
    }
}

void MediaPicker::Command2Click() {
    command1Visible_ = false;
    if (dir1Visible_) {
        FormUnload();
        return;
    }
    PutMediaParm(state_);
    HideScreenItems();
    dir1Visible_ = true;
    richTextVisible_ = true;
    label1_ = text(50) + "?";
}

void MediaPicker::FormUnload() {
    windows_.show(editorOfPageKind(state_));
    windows_.unload(self_);
}

std::filesystem::path MediaPicker::hostPathOf(const std::string& file) const {
    if (chosenFolder_.empty() || file.empty()) return {};
    try {
        return state_.drive.resolve(cp1252::toUtf8(chosenFolder_) + cp1252::toUtf8(file));
    } catch (const PathError&) {
        return {};
    }
}

// The theme picker.

FormMedia::FormMedia(AppState& state, WindowManager& windows)
    : MediaPicker(state, windows, WindowId::FormMedia) {
    caption_ = "Tarvomen - MEDIA";
    FormLoad();
}

void FormMedia::DisplaySelection() {
    listAccepted([this](const std::string& name) { return themeAccepts(kind_, extension_, name); });
    if (!isPictureKind(kind_)) return;
    if (shownCount_ == 0) {
        label1_ = kNoFilesFound;
    } else {
        displayPicVisible_ = true;
        displayPic_ = shownFiles_[0].trimmed();
    }
}

bool FormMedia::folderAccepted(const std::string& path) const {
    return !startsWith36(path, kMixUpper);
}

void FormMedia::refuseFolder() {
    informUser(state_, text(115), "Tarvomen - MEDIA");
}

const char* FormMedia::visitedLinkColour() const {
    return kThemeVisitedLink;
}

// The mix picker.

FormMedia2::FormMedia2(AppState& state, WindowManager& windows)
    : MediaPicker(state, windows, WindowId::FormMedia2) {
    caption_ = "Tarvomen - MIX";
    FormLoad();
}

void FormMedia2::DoMIX() {
    listAccepted([this](const std::string& name) { return mixAccepts(kind_, name); });
    if (isPictureKind(kind_) && shownCount_ > 0) displayPic_ = shownFiles_[0].trimmed();
}

bool FormMedia2::folderAccepted(const std::string& path) const {
    return startsWith36(path, kMixUpper) || startsWith36(path, kMixLower);
}

void FormMedia2::refuseFolder() {
    informUser(state_, text(146), "Tarvomen - MIX");
}

void FormMedia2::showClickedPicture(const std::string& file) {
    displayPic_ = file;
    displayPicVisible_ = true;
}

void FormMedia2::takeDoubleClicked(int button) {
    // Only a file whose ending fits the selected kind is taken.
    if (mixAccepts(kind_, shownFiles_[static_cast<std::size_t>(button)].trimmed())) {
        takeForKind(button);
    }
}

const char* FormMedia2::visitedLinkColour() const {
    return kMixVisitedLink;
}

}  // namespace tarvomen::styles
