#pragma once

#include <QAccessible>
#include <QListWidget>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "gui/gui_context.hpp"
#include "gui/services/qt_clipboard.hpp"
#include "gui/services/qt_file_dialog.hpp"
#include "gui/window_registry.hpp"
#include "store/app_state.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"
#include "support/widget_lookup.hpp"

namespace tarvomen::testing {

// The desktop program's windows on a temporary drive, worked as a person works them: open a
// window, find a control by its object name, click it, type into it, press keys, and answer the
// message boxes from a script. Every window of the program is registered; the shell hand-offs
// are recorded and the file-open dialog answers from its script.
class GuiProgram {
  public:
    // English unless told otherwise; `messages` stands in for the scripted message boxes.
    explicit GuiProgram(std::int16_t langInd = 1, MessageBox* messages = nullptr);
    ~GuiProgram();
    GuiProgram(const GuiProgram&) = delete;
    GuiProgram& operator=(const GuiProgram&) = delete;

    // Shows a window and waits until it is on the screen.
    QWidget* open(WindowId window);
    QWidget* view(WindowId window) const { return windows.view(window); }

    template <class W = QWidget>
    static W* find(QWidget* window, const QString& name) {
        return child<W>(window, name);
    }
    // A left click in the middle of the control.
    static void click(QWidget* window, const QString& name);
    static void clickLine(QWidget* window, const QString& list, int row);
    // Clicks into a text box, then types.
    static void type(QWidget* window, const QString& name, const QString& text);
    // A key pressed where the focus is.
    static void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // The next message box is answered so.
    void answer(MessageBox::Answer next) { scripted.answer(next); }

    // What assistive technology reads.
    static QString accessibleName(QWidget* widget);
    static QString accessibleDescription(QWidget* widget);
    static QAccessible::Role accessibleRole(QWidget* widget);
    // The shown controls of a window that have no readable name (none, or their object name).
    static QStringList unnamedControls(QWidget* window);
    // The geometry and the shown state of every control of a window, to see that nothing moved.
    static QStringList placesOf(QWidget* window);

    // Saves a picture of the window when TARVOMEN_SCREENSHOTS names a folder.
    static void screenshot(QWidget* window, const QString& name);

    TempDrive temp;
    Drive drive{temp.path()};
    ScriptedMessageBox scripted;
    RecordingShell shell;
    gui::QtClipboard clipboard;
    ScriptedFileDialog fileDialog;
    AppState state;
    gui::WindowRegistry windows;
    gui::GuiContext context{state, windows};
};

}  // namespace tarvomen::testing
