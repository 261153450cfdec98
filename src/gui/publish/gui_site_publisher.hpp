#pragma once

#include <QPointer>

#include "gui/publish/publish_window.hpp"
#include "store/site_publisher.hpp"

namespace tarvomen::gui {

// The desktop program's SitePublisher: the FTP dialog's OK opens the Publish window (one at a
// time), checks the site and publishes unless the check found problems. Deleting it cancels a
// running transfer.
class GuiSitePublisher : public SitePublisher {
  public:
    GuiSitePublisher() = default;
    ~GuiSitePublisher() override;
    GuiSitePublisher(const GuiSitePublisher&) = delete;
    GuiSitePublisher& operator=(const GuiSitePublisher&) = delete;

    void publish(AppState& state) override;

    PublishWindow* window() const { return window_; }

  private:
    QPointer<PublishWindow> window_;
};

}  // namespace tarvomen::gui
