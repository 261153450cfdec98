#include "gui/window_registry.hpp"

#include <stdexcept>

namespace tarvomen::gui {

void WindowRegistry::add(WindowId window, Factory factory) {
    factories_[window] = std::move(factory);
}

QWidget* WindowRegistry::view(WindowId window) const {
    const auto it = loaded_.find(window);
    return it == loaded_.end() ? nullptr : it->second.data();
}

void WindowRegistry::show(WindowId window) {
    QWidget* widget = view(window);
    if (!widget) {
        const auto factory = factories_.find(window);
        if (factory == factories_.end()) throw std::logic_error("window not registered");
        widget = factory->second();
        loaded_[window] = widget;
    }
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void WindowRegistry::hide(WindowId window) {
    if (QWidget* widget = view(window)) widget->hide();
}

void WindowRegistry::unload(WindowId window) {
    if (QWidget* widget = view(window)) {
        widget->hide();
        widget->deleteLater();
    }
    loaded_.erase(window);
}

bool WindowRegistry::isLoaded(WindowId window) const {
    return view(window) != nullptr;
}

}  // namespace tarvomen::gui
