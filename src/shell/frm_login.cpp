#include "shell/frm_login.hpp"

#include "handoffs/handoffs.hpp"
#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "shell/strings.hpp"
#include "shell/whole_site.hpp"
#include "store/own_text.hpp"
#include "store/site_publisher.hpp"

namespace tarvomen::shell {

FrmLogin::FrmLogin(AppState& state, WindowManager& windows, FormStart& formStart)
    : state_(state), windows_(windows), formStart_(formStart) {}

void FrmLogin::notify() {
    if (changed) changed();
}

void FrmLogin::FormLoad() {
    Command1Caption = text(state_, 60);
    Command2Caption = text(state_, 61);
    Command2Visible = false;
    Label2 = text(state_, 62);
    Label3 = text(state_, 63);
    Label4 = text(state_, 64);

    PageRecord& page = state_.LoginPage;
    page = state_.files.readPage(state_.xPosition);
    TextPass = cp1252::toUtf8(page.FtpPassword.trimmed());
    TextUser = cp1252::toUtf8(page.FtpUserName.trimmed());
    TextHost = cp1252::toUtf8(page.FtpHost.trimmed());
    Label1 = text(state_, 69) + cp1252::toUtf8(page.DomainName.trimmed()) + "\n" +
             text(state_, 70) + cp1252::toUtf8(page.FtpHost.trimmed()) + "\n";
    notify();
}

void FrmLogin::Command1Click() {
    MessageBox& messages = *state_.services.messages;
    // A box holding only blanks counts as filled.
    if (TextPass.empty() || TextUser.empty() || TextHost.empty()) {
        messages.inform(text(state_, 59), kTitle, MessageBox::Icon::Exclamation);
        return;
    }
    std::optional<generator::GenerationResult> generated;
    try {
        const std::string password = cp1252::fromUtf8(TextPass, "the FTP password");
        const std::string user = cp1252::fromUtf8(TextUser, "the FTP user name");
        const std::string host = cp1252::fromUtf8(TextHost, "the FTP host");
        PageRecord& page = state_.LoginPage;
        page.FtpPassword = password;
        page.FtpUserName = user;
        page.FtpHost = host;
        state_.files.writePage(state_.xPosition, page);
        // A preview leaves only its own page in the site folder: publish the whole site.
        generated = GenerateSiteIfMissing(state_);
    } catch (const Error& error) {
        // Nothing was handed over; the dialog stays open for a correction.
        messages.inform(error.what(), kTitle, MessageBox::Icon::Exclamation);
        return;
    }
    if (generated && !generated->complete()) {
        // The site goes out all the same; the user learns which media it lacks.
        messages.inform(generator::DescribeMediaFailures(state_, *generated) +
                            ownText(state_, "\n\nThe site is published without them.",
                                    "\n\nLe site est publié sans eux."),
                        kTitle, MessageBox::Icon::Exclamation);
    }
    state_.FtpRun.host = TextHost;
    state_.FtpRun.user = TextUser;
    state_.FtpRun.password = TextPass;
    windows_.show(WindowId::FormStart);
    handoffs::OpenFtpSite(state_);
    formStart_.RestoreMainMenu();
    FormUnload();
    // Last, so that the publisher's window comes up over the start window.
    if (state_.services.publisher) state_.services.publisher->publish(state_);
}

void FrmLogin::FormUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    state_.FormLoginSwitch = 9;
    // Closed without a hand-off too: the main menu again, not the F.T.P. list, which would
    // leave nothing to press but Exit.
    if (formStart_.mode() == FormStart::Mode::FtpList) formStart_.RestoreMainMenu();
    windows_.show(WindowId::FormStart);
    windows_.unload(WindowId::frmLogin);
}

}  // namespace tarvomen::shell
