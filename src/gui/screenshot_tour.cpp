#include "gui/screenshot_tour.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>

#include <memory>
#include <vector>

namespace tarvomen::gui {
namespace {

// A left click as the mouse gives it, at `where` in `widget`.
void clickAt(QWidget* widget, QPoint where) {
    const QPointF local(where);
    const QPointF global(widget->mapToGlobal(where));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

struct Tour {
    WindowRegistry& windows;
    QString folder;
    std::vector<std::function<void()>> steps;
    std::size_t next = 0;
    std::function<void()> done;

    QWidget* window(WindowId id) const { return windows.view(id); }
    void press(WindowId id, const char* button) const {
        if (QWidget* shown = window(id)) {
            if (auto* found = shown->findChild<QAbstractButton*>(QLatin1String(button))) {
                found->click();
            }
        }
    }
    void click(WindowId id, const char* control) const {
        if (QWidget* shown = window(id)) {
            if (auto* found = shown->findChild<QWidget*>(QLatin1String(control))) {
                clickAt(found, found->rect().center());
            }
        }
    }
    void chooseLine(WindowId id, int row) const {
        if (QWidget* shown = window(id)) {
            auto* list = shown->findChild<QListWidget*>(QStringLiteral("List1"));
            if (list && list->item(row)) {
                clickAt(list->viewport(), list->visualItemRect(list->item(row)).center());
            }
        }
    }
    void save(WindowId id, const char* name) const {
        if (QWidget* shown = window(id)) {
            shown->grab().save(folder + QLatin1Char('/') + QLatin1String(name) + ".png");
        }
    }
};

void step(const std::shared_ptr<Tour>& tour) {
    if (tour->next == tour->steps.size()) {
        tour->done();
        return;
    }
    tour->steps[tour->next++]();
    // Let the windows show and paint before the next step.
    QTimer::singleShot(400, [tour] { step(tour); });
}

}  // namespace

void runScreenshotTour(WindowRegistry& windows, const QString& folder, bool french,
                       std::function<void()> done) {
    auto tour = std::make_shared<Tour>(Tour{windows, folder, {}, 0, std::move(done)});
    Tour& t = *tour;
    const QString suffix = french ? QStringLiteral("-fr") : QString();
    const auto save = [&t, suffix](WindowId id, const char* name) {
        return [&t, id, name = QString::fromLatin1(name) + suffix] {
            t.save(id, name.toLatin1().constData());
        };
    };
    t.steps = {
        save(WindowId::FormStart, "language-choice"),
        [&t, french] { t.press(WindowId::FormStart, french ? "Command2" : "Command1"); },
        save(WindowId::FormStart, "main-menu"),
        [&t] { t.press(WindowId::FormStart, "Command1"); },  // Profile
        [&t] { t.chooseLine(WindowId::FormProfile, 0); },
        [&t] { t.click(WindowId::FormProfile, "Text1_1"); },
        save(WindowId::FormProfile, "profile-editor"),
        [&t] { t.press(WindowId::FormProfile, "Command1"); },  // Exit
        [&t] { t.press(WindowId::FormStart, "Command2"); },    // Detail
        [&t] { t.chooseLine(WindowId::FormDetail, 2); },
        [&t] { t.click(WindowId::FormDetail, "Text1_3"); },
        save(WindowId::FormDetail, "product-editor"),
        [&t] { t.press(WindowId::FormDetail, "Command1"); },
        [&t] { t.press(WindowId::FormStart, "Command2"); },
        [&t] { t.chooseLine(WindowId::FormDetail, 2); },
        [&t] { t.press(WindowId::FormDetail, "Command2"); },  // Styles
        save(WindowId::Form1, "style-picker"),
        [&t] { t.press(WindowId::Form1, "Command1"); },
        [&t] { t.press(WindowId::FormDetail, "Command1"); },
    };
    QTimer::singleShot(600, [tour] { step(tour); });
}

}  // namespace tarvomen::gui
