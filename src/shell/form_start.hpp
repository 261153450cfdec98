#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_manager.hpp"
#include "store/app_state.hpp"

namespace tarvomen::shell {

// The start window: the language choice, then the main menu (Profile, Detail, Link, F.T.P.,
// Exit) with its welcome text, the F.T.P. list, and the exit sequence with the backup of the
// session files. It stays loaded for the whole run; its public state is what the view shows.
class FormStart {
  public:
    enum class Mode { LanguageChoice, MainMenu, FtpList };

    struct Button {
        std::string caption;
        bool enabled = true;
        bool visible = true;
    };

    // The question of the exit sequence: fixed English in both languages.
    static constexpr const char* kBackupQuestion = "Do you wish to backup your last session?";
    static constexpr const char* kMediaFolderMessage =
        "Please UNZIP TMedia.zip in C:\\Program Files\\TMedia\\ ";
    static constexpr const char* kLabel2Caption = "Tarvomen Web Automation.";

    FormStart(AppState& state, WindowManager& windows);

    // The load handler. `inputMethodActive` tells whether an input-method editor is active; the
    // accented captions "Français" and "Español" are used when it is not.
    void FormLoad(bool inputMethodActive = false);

    // A click on Command1 .. Command6 (index 1 to 6).
    void CommandClick(int index);
    // A click on line `line` (from 0) of List1.
    void List1Click(int line);
    // The window is closed (close box or "Exit"): the exit sequence. Runs once.
    void FormUnload();

    // Procedures other windows call through the one instance.
    void DoLanguages();
    // True when the media folder exists; otherwise tells the user and opens the program folder.
    bool MediaFolderCheck();
    void ShowMainMenu();
    // The page-record list fill into List1 (the F.T.P. list).
    void FillFtpList();
    // Back from the FTP dialog after a hand-off: the main menu again.
    void RestoreMainMenu();
    void DoBackup();

    Mode mode() const { return mode_; }
    // True once the program is to end: the exit sequence ran or the site files could not be
    // opened. The view then closes every window.
    bool ended() const { return ended_; }

    // Controls; Command[0] is Command1.
    std::array<Button, 6> Command;
    std::vector<std::string> List1;
    bool List1Visible = false;
    bool RichTextBox1Visible = false;
    std::string RichTextBox1;

    // Called after every change of the state above, so that the view shows it.
    std::function<void()> changed;

  private:
    void notify();
    void endProgram();
    void setMenuVisible(bool visible);

    AppState& state_;
    WindowManager& windows_;
    Mode mode_ = Mode::LanguageChoice;
    bool ended_ = false;
};

}  // namespace tarvomen::shell
