#include "gui/publish/gui_site_publisher.hpp"

namespace tarvomen::gui {

GuiSitePublisher::~GuiSitePublisher() {
    delete window_.data();
}

void GuiSitePublisher::publish(AppState& state) {
    if (!window_) {
        window_ = new PublishWindow(state);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!window_->running()) window_->checkAndPublish();
}

}  // namespace tarvomen::gui
