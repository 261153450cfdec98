#pragma once

#include <QString>

#include <functional>

#include "gui/window_registry.hpp"

namespace tarvomen::gui {

// Walks the started program through its main windows as a person would (language, main menu,
// profile editor, style picker, product editor) and saves a picture of each window into
// `folder`, then calls `done`. Used to take the pictures of the README.
void runScreenshotTour(WindowRegistry& windows, const QString& folder, bool french,
                       std::function<void()> done);

}  // namespace tarvomen::gui
