#include "shell/form_start.hpp"

#include <exception>
#include <utility>

#include "handoffs/handoffs.hpp"
#include "platform/error.hpp"
#include "shell/strings.hpp"
#include "store/load_save.hpp"
#include "store/site_paths.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::shell {
namespace {

constexpr const char* kTitle = "Tarvomen";
constexpr const char* kBackupTitle = "Tarvomen.";
// The media folder as the start-up check names it.
constexpr const char* kMediaFolderToCheck = "c:\\program files\\tarvomen\\tmedia\\";

// Messages of this window that the string table does not hold, in the chosen language.
std::string say(const AppState& state, std::string english, std::string french) {
    return state.LangInd == kLangFrench ? std::move(french) : std::move(english);
}

}  // namespace

FormStart::FormStart(AppState& state, WindowManager& windows) : state_(state), windows_(windows) {}

void FormStart::notify() {
    if (changed) changed();
}

void FormStart::FormLoad(bool inputMethodActive) {
    const bool accented = !inputMethodActive;
    Command = {Button{"English"},
               Button{accented ? "Français" : "Francais"},
               Button{"Deutsch", false},
               Button{"Italiano", false},
               Button{accented ? "Español" : "Espanol", false},
               Button{"Japan", false}};
    RichTextBox1Visible = false;
    List1Visible = false;
    mode_ = Mode::LanguageChoice;
    notify();
}

void FormStart::CommandClick(int index) {
    if (index < 1 || index > static_cast<int>(Command.size()) || ended_) return;
    const Button& button = Command[static_cast<std::size_t>(index - 1)];
    if (!button.enabled || !button.visible) return;

    if (mode_ == Mode::LanguageChoice) {
        if (index == 1) {
            state_.LangInd = kLangEnglish;
        } else if (index == 2) {
            state_.LangInd = kLangFrench;
        } else {
            return;
        }
        DoLanguages();
        return;
    }

    switch (index) {
        case 1:
            windows_.show(WindowId::FormProfile);
            windows_.hide(WindowId::FormStart);
            break;
        case 2:
            windows_.show(WindowId::FormDetail);
            windows_.hide(WindowId::FormStart);
            break;
        case 3:
            windows_.show(WindowId::FormLink);
            windows_.hide(WindowId::FormStart);
            break;
        case 4:
            setMenuVisible(false);
            List1Visible = true;
            mode_ = Mode::FtpList;
            FillFtpList();
            break;
        case 5:
            FormUnload();
            break;
        default:
            break;
    }
}

void FormStart::DoLanguages() {
    // Neither step stops the start-up: a missing program folder shows up in the media check.
    state_.drive.changeDirectory(paths::kProgramFolder);
    state_.drive.makeDirectory(paths::kTestPageFolder);
    if (MediaFolderCheck()) ShowMainMenu();
}

bool FormStart::MediaFolderCheck() {
    if (state_.drive.isDirectory(kMediaFolderToCheck)) return true;
    state_.services.messages->inform(kMediaFolderMessage, kTitle, MessageBox::Icon::Exclamation);
    handoffs::OpenProgramFolder(state_);
    return false;
}

void FormStart::ShowMainMenu() {
    try {
        state_.files.openPageFile(state_.drive);
        state_.files.openProductFile(state_.drive);
        state_.files.openStyleFile(state_.drive);
    } catch (const Error& error) {
        // Without its files the program cannot work (another program may hold them): say why
        // and end, without the backup question.
        state_.files.closeAll();
        state_.services.messages->inform(error.what(), kTitle, MessageBox::Icon::Critical);
        endProgram();
        return;
    }
    // A record file of an odd size is told once; the program goes on with its whole records.
    for (const std::string& warning : state_.files.warnings()) {
        state_.services.messages->inform(warning, kTitle, MessageBox::Icon::Exclamation);
    }
    FillColorText(state_);

    Command[5].visible = false;
    Command[4].caption = text(state_, 50);
    Command[3].caption = text(state_, 95);
    Command[2].caption = text(state_, 94);
    Command[1].caption = text(state_, 93);
    Command[0].caption = text(state_, 92);
    RichTextBox1Visible = true;
    for (std::size_t i = 1; i <= 4; ++i) Command[i].enabled = true;

    for (int i = 1; i <= 8; ++i) state_.MessBuff += text(state_, i) + "\n\n";
    RichTextBox1 = state_.MessBuff;
    mode_ = Mode::MainMenu;
    windows_.show(WindowId::FormStart);
    notify();
}

void FormStart::setMenuVisible(bool visible) {
    for (std::size_t i : {0, 1, 2, 4}) Command[i].visible = visible;
    RichTextBox1Visible = visible;
}

void FormStart::FillFtpList() {
    state_.ListProfileSwitch = 1;
    List1.clear();
    try {
        List1 = PageListLines(state_);
    } catch (const Error& error) {
        state_.services.messages->inform(error.what(), kTitle, MessageBox::Icon::Critical);
    }
    state_.ListProfileSwitch = 0;
    notify();
}

void FormStart::List1Click(int line) {
    if (ended_ || mode_ != Mode::FtpList || line < 0 || line >= static_cast<int>(List1.size())) {
        return;
    }
    state_.xPosition = static_cast<std::int16_t>(line + 1);
    state_.FormLoginSwitch = 1;
    windows_.show(WindowId::frmLogin);
    windows_.hide(WindowId::FormStart);
}

void FormStart::RestoreMainMenu() {
    setMenuVisible(true);
    List1Visible = false;
    state_.ListProfileSwitch = 0;
    mode_ = Mode::MainMenu;
    notify();
}

void FormStart::FormUnload() {
    if (ended_) return;
    for (const std::string& failure : state_.files.closeAll()) {
        state_.services.messages->inform(failure, kTitle, MessageBox::Icon::Critical);
    }
    if (state_.services.messages->askYesNo(kBackupQuestion, kTitle)) DoBackup();
    endProgram();
}

void FormStart::endProgram() {
    ended_ = true;
    // Every other window closes without further questions.
    for (WindowId window :
         {WindowId::FormProfile, WindowId::FormDetail, WindowId::FormLink, WindowId::Form1,
          WindowId::FormMedia, WindowId::FormMedia2, WindowId::frmLogin}) {
        if (windows_.isLoaded(window)) windows_.unload(window);
    }
    notify();
}

void FormStart::DoBackup() {
    MessageBox& messages = *state_.services.messages;
    messages.inform(text(state_, 169), kBackupTitle);

    const std::string folder = paths::kBackupFolder;
    const auto warn = [&](const std::string& message) {
        messages.inform(message, kBackupTitle, MessageBox::Icon::Exclamation);
    };
    try {
        // A first run has no backup folder yet.
        if (!state_.drive.isDirectory(folder) && !state_.drive.makeDirectories(folder)) {
            warn(say(state_,
                     "The backup folder " + folder + " cannot be created. No file was backed up.",
                     "Le dossier de sauvegarde " + folder +
                         " ne peut pas être créé. Aucun fichier n'a été sauvegardé."));
            return;
        }
        state_.drive.changeDirectory(folder);

        // Each copy replaces the one of the same name; the files are closed, so the copies hold
        // everything written during the run.
        const std::pair<const char*, const char*> copies[] = {
            {paths::kProductFile, paths::kProductBackup},
            {paths::kPageFile, paths::kPageBackup},
            {paths::kStyleFile, paths::kStyleBackup},
        };
        for (const auto& [from, to] : copies) {
            const std::string source = from;
            if (!state_.drive.exists(from)) {
                warn(say(state_, "The file " + source + " does not exist. It was not backed up.",
                         "Le fichier " + source + " n'existe pas. Il n'a pas été sauvegardé."));
            } else if (!state_.drive.copyFile(from, to)) {
                warn(say(state_, "The file " + source + " could not be copied to " + to + ".",
                         "Le fichier " + source + " n'a pas pu être copié vers " + to + "."));
            }
        }
    } catch (const std::exception& error) {
        warn(error.what());
    }
}

}  // namespace tarvomen::shell
