#pragma once

#include <functional>
#include <string>

#include "platform/window_manager.hpp"
#include "shell/form_start.hpp"
#include "store/app_state.hpp"

namespace tarvomen::shell {

// The FTP dialog: shows the site's FTP user name, password and host from page record
// `xPosition`, stores what the user typed and hands the "ftp://" address and the site folder to
// the desktop shell. Texts are UTF-8; the record holds them as Windows-1252.
class FrmLogin {
  public:
    static constexpr const char* kTitle = "Tarvomen F.T.P.";

    FrmLogin(AppState& state, WindowManager& windows, FormStart& formStart);

    // The load handler: captions, and the three boxes and the greeting from the page record.
    void FormLoad();
    // OK: checks the boxes, writes the record, generates the whole site when the site folder
    // holds no home page (after a preview), hands the site over, closes the dialog and then
    // passes the site to the publisher where the program has one.
    void Command1Click();
    // The dialog closes (close box, or the end of OK): `FormStart` is shown again with its main
    // menu.
    void FormUnload();

    std::string Label1;
    std::string Label2;
    std::string Label3;
    std::string Label4;
    std::string TextUser;
    std::string TextPass;
    std::string TextHost;
    std::string Command1Caption;
    std::string Command2Caption;
    bool Command2Visible = false;

    // Called after every change of the state above, so that the view shows it.
    std::function<void()> changed;

  private:
    void notify();

    AppState& state_;
    WindowManager& windows_;
    FormStart& formStart_;
    bool unloaded_ = false;
};

}  // namespace tarvomen::shell
