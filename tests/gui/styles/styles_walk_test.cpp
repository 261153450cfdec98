// A walk through the real style picker and theme picker: the home page's selection, a screen
// colour, THEME, a theme folder, a background by double click, then Preview of the whole site.
#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <string>

#include "gui/gui_context.hpp"
#include "gui/styles/style_widgets.hpp"
#include "gui/window_registry.hpp"
#include "store/style_ops.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"
#include "support/widget_lookup.hpp"

using namespace tarvomen;
using tarvomen::testing::child;

namespace {}  // namespace

class StylesWalkTest : public QObject {
    Q_OBJECT

  private slots:
    void colourThemeBackgroundAndPreview();
};

void StylesWalkTest::colourThemeBackgroundAndPreview() {
    testing::TempDrive temp;
    temp.layOut();
    const auto theme = temp / "Program Files/Tarvomen/TMedia/Sea";
    std::filesystem::create_directories(theme);
    QImage picture(24, 24, QImage::Format_RGB32);
    picture.fill(QColor(20, 90, 160));
    QVERIFY(picture.save(QString::fromStdString((theme / "BACKGD01.JPG").string()), "JPG"));
    testing::writeFile(theme / "BANNER01.JPG", "not a picture");

    Drive drive(temp.path());
    testing::ScriptedMessageBox messages;
    testing::RecordingShell shell;
    AppState state(drive, Services{&messages, &shell, &testing::testFonts(), nullptr, nullptr});
    state.files.openAll(drive);
    FillColorText(state);
    state.LangInd = 1;
    // The profile editor's "Styles" on the site line.
    state.Selection.PageKind = PageType::Home;
    state.Selection.CurrentRecord = 1;

    gui::WindowRegistry windows;
    gui::GuiContext context{state, windows};
    gui::registerStyleWindows(context);
    windows.show(WindowId::Form1);
    QWidget* form1 = windows.view(WindowId::Form1);
    QVERIFY(form1);
    QCOMPARE(form1->windowTitle(), QStringLiteral("COLORPICK"));

    // "Red" for "Screen Color", from the open list.
    auto* screen = child<gui::SampleCombo>(form1, "Combo1_0");
    screen->showPopup();
    QAbstractItemView* list = screen->view();
    QTRY_VERIFY(list->isVisible());
    const QRect red = list->visualRect(list->model()->index(5, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, red.center());
    QTRY_COMPARE(state.files.readStyle(101).ScreenColor.trimmed(), std::string("#FF0000"));
    QCOMPARE(screen->sampleBack(), QColor(255, 0, 0));
    QCOMPARE(screen->sampleText(), QStringLiteral("Red"));

    QTest::mouseClick(child<QPushButton>(form1, "Command2"), Qt::LeftButton);
    QVERIFY(!windows.isLoaded(WindowId::Form1));
    QWidget* media = windows.view(WindowId::FormMedia);
    QVERIFY(media && media->isVisible());

    auto* dir1 = child<QTreeWidget>(media, "Dir1");
    const auto found =
        dir1->findItems(QStringLiteral("Sea"), Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {},
                      dir1->visualItemRect(found[0]).center());
    QVERIFY(!dir1->isVisible());
    QCOMPARE(messages.shown.size(), std::size_t{1});  // the warning before the media are blanked

    auto* first = child<QToolButton>(media, "Option1_0");
    QVERIFY(first->isVisible());
    QVERIFY(!child<QToolButton>(media, "Option1_1")->isVisible());
    QVERIFY(!first->icon().isNull());
    QTest::mouseDClick(first, Qt::LeftButton);
    QCOMPARE(state.CurrentStyle.BackgroundFile.trimmed(), std::string("BACKGD01.JPG"));
    QVERIFY(child<QToolButton>(media, "Option2")->isVisible());

    QTest::mouseClick(child<QPushButton>(media, "Command1"), Qt::LeftButton);
    QVERIFY(!shell.opened.empty());
    QCOMPARE(shell.opened.back().first, std::string("C:\\Tarvomen\\index.html"));
    const std::string index = testing::readFile(temp / "Tarvomen/index.html");
    QVERIFY(index.find("<BODY BGColor=\"#FF0000\"") != std::string::npos);
    QVERIFY(index.find(" BACKGROUND=/Tarvomen/Data/0.JPG>") != std::string::npos);
    QCOMPARE(testing::readFile(temp / "Tarvomen/Data/0.JPG"),
             testing::readFile(theme / "BACKGD01.JPG"));
    QCOMPARE(messages.shown.size(), std::size_t{1});  // no failure reported

    delete windows.view(WindowId::FormMedia);
}

QTEST_MAIN(StylesWalkTest)
#include "styles_walk_test.moc"
