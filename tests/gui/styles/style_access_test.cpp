// The style and media pickers as a person reaches them: names and roles for assistive
// technology, the mouse wheel over the style lists, and Escape as Exit.
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>

#include "gui/styles/style_widgets.hpp"
#include "support/gui_program.hpp"

using namespace tarvomen;
using Program = tarvomen::testing::GuiProgram;

namespace {

void turnWheel(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

}  // namespace

class StyleAccessTest : public QObject {
    Q_OBJECT

  private slots:
    void thePickersAreNamedFrames();
    void aStyleListTakesTheWheelOnlyWithTheFocus();
    void escapeIsExit();
};

void StyleAccessTest::thePickersAreNamedFrames() {
    Program program;
    program.state.Selection.PageKind = PageType::Home;
    program.state.Selection.CurrentRecord = 1;
    QWidget* form1 = program.open(WindowId::Form1);
    QCOMPARE(Program::accessibleName(form1), QStringLiteral("COLORPICK"));
    QCOMPARE(Program::accessibleRole(form1), QAccessible::Window);
    QCOMPARE(Program::unnamedControls(form1), QStringList());
    // A list reads its value as its name here; the item it sets is its given name.
    QCOMPARE(Program::find(form1, "Combo1_0")->accessibleName(), QStringLiteral("Screen Color"));
    auto* boxed = Program::find<QRadioButton>(form1, "Option2");
    QCOMPARE(Program::accessibleRole(boxed), QAccessible::RadioButton);
    QCOMPARE(Program::accessibleName(boxed), QStringLiteral("Boxed"));

    Program::click(form1, "Command2");  // THEME
    QWidget* media = program.view(WindowId::FormMedia);
    QVERIFY(media && media->isVisible());
    QCOMPARE(Program::accessibleName(media), QStringLiteral("Tarvomen - MEDIA"));
    QCOMPARE(Program::accessibleRole(media), QAccessible::Window);
    QCOMPARE(Program::unnamedControls(media), QStringList());
    QCOMPARE(Program::accessibleRole(Program::find(media, "Option1_0")), QAccessible::RadioButton);
}

void StyleAccessTest::aStyleListTakesTheWheelOnlyWithTheFocus() {
    Program program;
    program.state.Selection.PageKind = PageType::Home;
    program.state.Selection.CurrentRecord = 1;
    QWidget* form1 = program.open(WindowId::Form1);
    auto* screen = Program::find<gui::SampleCombo>(form1, "Combo1_0");
    const auto stored = [&] { return program.state.files.readStyle(101).StyleIndex[0]; };
    const auto before = stored();

    Program::find(form1, "Command3")->setFocus();
    turnWheel(screen);
    QCOMPARE(stored(), before);
    QVERIFY(!screen->hasFocus());

    screen->setFocus(Qt::TabFocusReason);
    turnWheel(screen);
    QTRY_VERIFY(stored() != before);
}

void StyleAccessTest::escapeIsExit() {
    Program program;
    program.state.Selection.PageKind = PageType::Product;
    program.state.Selection.CurrentRecord = 2;
    program.open(WindowId::FormDetail);
    QWidget* form1 = program.open(WindowId::Form1);
    Program::press(form1, Qt::Key_Escape);
    QVERIFY(!program.windows.isLoaded(WindowId::Form1));
    QVERIFY(program.view(WindowId::FormDetail)->isVisible());
}

QTEST_MAIN(StyleAccessTest)
#include "style_access_test.moc"
