#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tarvomen::gui {

// What every window of the program does the same way: it is exposed to assistive technology as
// a frame (or a dialog) titled with its caption, Enter or Space presses the focused button, and
// Escape runs the window's way out.
void exposeAsWindow(QWidget* window, const QString& caption);
// Enter presses whichever push button of the window has the focus (call after the buttons are
// made).
void pressButtonsWithEnter(QWidget* window);
void onEscape(QWidget* window, std::function<void()> handler);

}  // namespace tarvomen::gui
