#pragma once

namespace tarvomen {

struct AppState;

// Publishing the site from the FTP dialog: after its OK has stored the FTP settings and made its
// hand-offs, the dialog calls publish(). The desktop program answers with its Publish window,
// which uploads the site beside the user interface.
class SitePublisher {
  public:
    virtual ~SitePublisher() = default;
    // Starts publishing the site of `state` with the stored FTP settings and returns at once.
    virtual void publish(AppState& state) = 0;
};

namespace publish {

// Whether the desktop has a program for "ftp://" addresses: `xdg-mime query default
// x-scheme-handler/ftp` names one. Without it, handing such an address over opens nothing
// useful (today's browsers no longer speak FTP).
bool desktopHandlesFtpAddresses();

}  // namespace publish
}  // namespace tarvomen
