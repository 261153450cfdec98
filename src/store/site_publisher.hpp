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

}  // namespace tarvomen
