// Walks through the real editor windows: the typical road of a price change, the body text box
// and values longer than a box's entry limit.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>

#include "support/gui_program.hpp"

using namespace tarvomen;
using tarvomen::testing::child;
using Program = tarvomen::testing::GuiProgram;

class EditorsWalkTest : public QObject {
    Q_OBJECT

  private slots:
    void priceOfProductThreeIsSavedAfterYes();
    void bodyTextTakesNeitherLineBreaksNorShortcuts();
    void valuesLongerThanTheEntryLimitAreKept();
};

void EditorsWalkTest::priceOfProductThreeIsSavedAfterYes() {
    Program program;
    ProductRecord three;
    three.ProductName = "Teapot";
    three.Description = "Blue and white";
    three.BodyText = "Fine china from the old factory.";
    program.state.files.writeProduct(3, three);
    QWidget* detail = program.open(WindowId::FormDetail);

    program.clickLine(detail, "List1", 2);
    auto* price = child<QLineEdit>(detail, "Text1_3");
    QVERIFY(price->isVisible());
    QCOMPARE(child<QLineEdit>(detail, "Text1_0")->text(), QStringLiteral("Teapot"));
    QCOMPARE(child<QPushButton>(detail, "Command2")->text(), QStringLiteral("Styles"));
    Program::screenshot(detail, "detail-record");

    QTest::mouseClick(price, Qt::LeftButton);
    QCOMPARE(child<QPushButton>(detail, "Command2")->text(), QStringLiteral("Continue"));
    QVERIFY(child<QLabel>(detail, "Label1")->text().startsWith("Enter the UNIT PRICE"));
    price->selectAll();
    QTest::keyClicks(price, "12.5");
    Program::screenshot(detail, "detail-editing");
    program.scripted.answer(MessageBox::Answer::Yes);
    QTest::mouseClick(child<QPushButton>(detail, "Command2"), Qt::LeftButton);

    QCOMPARE(program.scripted.shown.size(), std::size_t{1});
    QCOMPARE(program.scripted.shown[0].text, std::string("Update the Tarvomen Detail?"));
    const ProductRecord stored = program.state.files.readProduct(3);
    QCOMPARE(stored.RecordNo, 2);
    QCOMPARE(stored.UnitPrice.scaled, std::int64_t{125000});
    QCOMPARE(stored.ProductName.trimmed(), std::string("Teapot"));
    QCOMPARE(stored.BodyText.trimmed(), std::string("Fine china from the old factory."));
    auto* status = child<QLabel>(detail, "Label3");
    QVERIFY(status->isVisible());
    QCOMPARE(status->text(), QStringLiteral("Detail Teapot Updated o.k.!"));
    // The boxes keep their place, empty and disabled, and the list can be used again.
    QVERIFY(price->isVisible() && !price->isEnabled() && price->text().isEmpty());
    QVERIFY(child<QListWidget>(detail, "List1")->isEnabled());
    Program::screenshot(detail, "detail-saved");
}

void EditorsWalkTest::bodyTextTakesNeitherLineBreaksNorShortcuts() {
    Program program;
    QWidget* detail = program.open(WindowId::FormDetail);
    program.clickLine(detail, "List1", 0);
    auto* body = child<QPlainTextEdit>(detail, "RTB1");
    QTest::mouseClick(body->viewport(), Qt::LeftButton);
    QTRY_VERIFY(body->hasFocus());
    QTest::keyClicks(body, "Hello");
    QTest::keyClick(body, Qt::Key_Return);
    QTest::keyClick(body, Qt::Key_Enter);
    QApplication::clipboard()->setText(QStringLiteral(" world"));
    QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(body, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(body, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(body, "!");
    QCOMPARE(body->toPlainText(), QStringLiteral("Hello!"));

    auto* menu = child<QMenu>(detail, "mnuEdit");
    QVERIFY(menu->menuAction()->isVisible());
    auto* paste = child<QAction>(detail, "MenuColler");
    QVERIFY(paste->isEnabled());
    paste->trigger();
    QCOMPARE(body->toPlainText(), QStringLiteral("Hello! world"));
    child<QAction>(detail, "MenuSelectionnerTout")->trigger();
    child<QAction>(detail, "MenuCouper")->trigger();
    QCOMPARE(body->toPlainText(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Hello! world"));
}

void EditorsWalkTest::valuesLongerThanTheEntryLimitAreKept() {
    Program program;
    PageRecord page;
    page.DomainName = "shop.example";
    page.Title = std::string(50, 't');           // the box takes 40 when typing
    page.CompanyAddress = std::string(40, 'a');  // the box takes 20
    program.state.files.writePage(1, page);
    QWidget* profile = program.open(WindowId::FormProfile);
    program.clickLine(profile, "List1", 0);
    QCOMPARE(child<QLineEdit>(profile, "Text1_1")->text().size(), 50);
    // Longer than the box is wide: the start of the value shows.
    QCOMPARE(child<QLineEdit>(profile, "Text1_1")->cursorPosition(), 0);
    QCOMPARE(child<QLineEdit>(profile, "Text1_5")->cursorPosition(), 0);
    Program::screenshot(profile, "profile-record");

    auto* phone = child<QLineEdit>(profile, "Text1_8");
    QTest::mouseClick(phone, Qt::LeftButton);
    QTest::keyClicks(phone, std::string(30, '5').c_str());
    QCOMPARE(phone->text().size(), 22);
    program.scripted.answer(MessageBox::Answer::Yes);
    QTest::mouseClick(child<QPushButton>(profile, "Command2"), Qt::LeftButton);
    const PageRecord stored = program.state.files.readPage(1);
    QCOMPARE(stored.Title.trimmed(), std::string(50, 't'));
    QCOMPARE(stored.CompanyAddress.trimmed(), std::string(40, 'a'));
    QCOMPARE(stored.Phone.trimmed(), std::string(22, '5'));
}

QTEST_MAIN(EditorsWalkTest)
#include "editors_walk_test.moc"
