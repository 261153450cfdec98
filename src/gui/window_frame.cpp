#include "gui/window_frame.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

#include <mutex>

namespace tarvomen::gui {
namespace {

// A checkable tool button is exposed as a check box; the media pickers' picture buttons are
// option buttons, one of which is selected.
class OptionButtonInterface : public QAccessibleWidget {
  public:
    explicit OptionButtonInterface(QWidget* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            button()->click();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

  private:
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A plain top-level widget is exposed as a "filler" by default; the program's windows are
// frames, its dialogs dialogs.
QAccessibleInterface* programInterface(const QString& className, QObject* object) {
    if (!className.startsWith(QLatin1String("tarvomen::gui::")) || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("tarvomen::gui::PictureButton")) {
        return new OptionButtonInterface(widget);
    }
    if (!widget->isWindow()) return nullptr;
    const bool dialog = qobject_cast<QDialog*>(widget) != nullptr;
    return new QAccessibleWidget(widget, dialog ? QAccessible::Dialog : QAccessible::Window);
}

}  // namespace

void exposeAsWindow(QWidget* window, const QString& caption) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(programInterface); });
    window->setWindowTitle(caption);
    window->setAccessibleName(caption);
}

void pressButtonsWithEnter(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) button->setAutoDefault(true);
}

void onEscape(QWidget* window, std::function<void()> handler) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, std::move(handler));
}

}  // namespace tarvomen::gui
