#pragma once

#include <string>

#include "store/app_state.hpp"

namespace tarvomen::handoffs {

// A shell that shows the media test page through a player of its own, and says so in a line of
// the program's own text where the browser cannot play the medium's format.
class MediaTestPageShell {
  public:
    // The line shown before the medium's name in place of a player (UTF-8).
    virtual void setCannotPlayText(std::string text) = 0;

  protected:
    ~MediaTestPageShell() = default;
};

// The desktop shell hand-offs: each asks `state.services.shell` to open a page, folder or
// address and does not wait for it or check the result. Without a shell nothing happens.

// "C:\Tarvomen\index.html", the home page of the generated site.
void OpenHomePage(AppState& state);
// `LinkPagePath`, the link page just written (the generation's result names it).
void OpenLinkPage(AppState& state, const std::string& linkPagePath);
// "C:\Tarvomen\test.html", the single-product preview.
void OpenTestPage(AppState& state);
// "C:\Program Files\Tarvomen\Tarvomen\AviTest.html", the media test page. A shell that shows
// the page with texts of its own (MediaTestPageShell) is first told them in the chosen language.
void OpenAviTestPage(AppState& state);
// "C:\Program Files\Tarvomen\", the program folder.
void OpenProgramFolder(AppState& state);
// The FTP address built from `state.FtpRun` (normal window), then the local site folder
// "C:\tarvomen\" beside it without taking the focus.
void OpenFtpSite(AppState& state);

// "ftp://" user ":" password "@" host. User and password are percent-encoded: every byte
// outside A-Z a-z 0-9 - . _ ~ becomes %XX, so a ":", "@" or "/" in them cannot change where the
// address leads. The host is written as typed.
std::string FtpAddress(const std::string& user, const std::string& password,
                       const std::string& host);

}  // namespace tarvomen::handoffs
