#include "support/gui_program.hpp"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "store/style_ops.hpp"

namespace tarvomen::testing {
namespace {

const WindowId kAllWindows[] = {WindowId::FormProfile, WindowId::FormDetail, WindowId::FormLink,
                                WindowId::Form1,       WindowId::FormMedia,  WindowId::FormMedia2,
                                WindowId::frmLogin,    WindowId::FormStart};

bool isControl(QWidget* widget) {
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
           qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
           qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget);
}

}  // namespace

GuiProgram::GuiProgram(std::int16_t langInd, MessageBox* messages)
    : state(drive, Services{messages ? messages : &scripted, &shell, &testFonts(), &clipboard,
                            &fileDialog}) {
    temp.layOut();
    state.files.openAll(drive);
    FillColorText(state);
    state.LangInd = langInd;
    gui::registerAllWindows(context);
}

GuiProgram::~GuiProgram() {
    for (WindowId window : kAllWindows) delete windows.view(window);
}

QWidget* GuiProgram::open(WindowId window) {
    windows.show(window);
    QWidget* shown = windows.view(window);
    if (!shown || !QTest::qWaitForWindowExposed(shown)) qFatal("window not shown");
    return shown;
}

void GuiProgram::click(QWidget* window, const QString& name) {
    QWidget* control = find(window, name);
    if (auto* view = qobject_cast<QAbstractItemView*>(control)) control = view->viewport();
    if (auto* text = qobject_cast<QPlainTextEdit*>(control)) control = text->viewport();
    QTest::mouseClick(control, Qt::LeftButton);
}

void GuiProgram::clickLine(QWidget* window, const QString& list, int row) {
    auto* widget = find<QListWidget>(window, list);
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                      widget->visualItemRect(widget->item(row)).center());
}

void GuiProgram::type(QWidget* window, const QString& name, const QString& text) {
    click(window, name);
    QTest::keyClicks(find(window, name), text);
}

void GuiProgram::press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(focus, key, modifiers);
}

QString GuiProgram::accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QString GuiProgram::accessibleDescription(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Description) : QString();
}

QAccessible::Role GuiProgram::accessibleRole(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->role() : QAccessible::NoRole;
}

QStringList GuiProgram::unnamedControls(QWidget* window) {
    QStringList unnamed;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!isControl(widget) || !widget->isVisibleTo(window)) continue;
        const QString name = accessibleName(widget).trimmed();
        if (name.isEmpty() || name == widget->objectName()) unnamed << widget->objectName();
    }
    return unnamed;
}

QStringList GuiProgram::placesOf(QWidget* window) {
    QStringList places;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty()) continue;
        const QRect where(widget->mapTo(window, QPoint(0, 0)), widget->size());
        places << QStringLiteral("%1 %2,%3 %4x%5 %6")
                      .arg(widget->objectName())
                      .arg(where.x())
                      .arg(where.y())
                      .arg(where.width())
                      .arg(where.height())
                      .arg(widget->isVisibleTo(window) ? "shown" : "hidden");
    }
    return places;
}

void GuiProgram::screenshot(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("TARVOMEN_SCREENSHOTS");
    if (!folder.isEmpty()) window->grab().save(folder + QLatin1Char('/') + name + ".png");
}

}  // namespace tarvomen::testing
