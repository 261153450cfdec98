#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

#include "platform/window_manager.hpp"

namespace tarvomen::gui {

// The desktop program's windows by name. Each area registers a factory per window; the factory
// builds the view (which builds its model and runs its load handler) the first time the window
// is shown after being unloaded.
class WindowRegistry : public WindowManager {
  public:
    using Factory = std::function<QWidget*()>;

    void add(WindowId window, Factory factory);
    // The loaded view of a window, or null.
    QWidget* view(WindowId window) const;

    void show(WindowId window) override;
    void hide(WindowId window) override;
    void unload(WindowId window) override;
    bool isLoaded(WindowId window) const override;

  private:
    std::map<WindowId, Factory> factories_;
    std::map<WindowId, QPointer<QWidget>> loaded_;
};

}  // namespace tarvomen::gui
