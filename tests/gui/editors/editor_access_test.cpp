// The editor windows as a person reaches them: labels and names for assistive technology in
// either language, controls that stay in place, the help of the box with the focus, the
// keyboard alone, and the picture dialog.
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <string>

#include "gui/services/qt_clipboard.hpp"
#include "gui/services/qt_file_dialog.hpp"
#include "support/gui_program.hpp"

using namespace tarvomen;
using Program = tarvomen::testing::GuiProgram;

class EditorAccessTest : public QObject {
    Q_OBJECT

  private slots:
    void everyControlIsLabelledAndNamed_data();
    void everyControlIsLabelledAndNamed();
    void nothingMovesOrVanishesWhenBoxesAreClicked();
    void theHelpFollowsTheFocus();
    void aPriceIsChangedWithTheKeyboardAlone();
    void theCloseBoxIsExit();
    void leavingWithUnsavedTypingAsksFirst();
    void thePickedPictureIsShown();
    void thePictureDialogOpensInTheMediaFolderWithOneFilter();
};

void EditorAccessTest::everyControlIsLabelledAndNamed_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("langInd");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstLabel");
    const struct {
        const char* tag;
        WindowId window;
        int langInd;
        const char* caption;
        const char* firstLabel;
    } rows[] = {
        {"profile", WindowId::FormProfile, 1, "WEB SITE PROFILES", "Domain name"},
        {"profile, French", WindowId::FormProfile, 200, "WEB SITE PROFILES", "Nom de domaine"},
        {"detail", WindowId::FormDetail, 1, "WEB DETAIL PAGES", "Product name"},
        {"detail, French", WindowId::FormDetail, 200, "WEB DETAIL PAGES", "Nom du produit"},
        {"link", WindowId::FormLink, 1, "HOME PAGE LINKS", "Link title"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.tag) << static_cast<int>(row.window) << row.langInd
                               << QString::fromUtf8(row.caption)
                               << QString::fromUtf8(row.firstLabel);
    }
}

void EditorAccessTest::everyControlIsLabelledAndNamed() {
    QFETCH(int, window);
    QFETCH(int, langInd);
    QFETCH(QString, caption);
    QFETCH(QString, firstLabel);
    Program program(static_cast<std::int16_t>(langInd));
    PageRecord page;
    page.DomainName = "shop.example";
    program.state.files.writePage(1, page);
    ProductRecord product;
    product.ProductName = "Teapot";
    program.state.files.writeProduct(1, product);
    QWidget* editor = program.open(static_cast<WindowId>(window));
    Program::clickLine(editor, "List1", 0);

    QCOMPARE(editor->windowTitle(), caption);
    QCOMPARE(Program::accessibleName(editor), caption);
    QCOMPARE(Program::accessibleRole(editor), QAccessible::Window);
    QCOMPARE(Program::unnamedControls(editor), QStringList());

    // Each box: a label beside it that names it, and its help text as description.
    const QList<QLabel*> labels = editor->findChildren<QLabel*>();
    for (int i = 0;; ++i) {
        auto* box = editor->findChild<QLineEdit*>(QStringLiteral("Text1_%1").arg(i));
        if (!box) break;
        const QString name = Program::accessibleName(box);
        if (i == 0) QCOMPARE(name, firstLabel);
        const bool labelled = std::any_of(labels.begin(), labels.end(), [&](QLabel* label) {
            return label->buddy() == box && label->isVisible() && label->text() == name;
        });
        QVERIFY2(labelled, qPrintable(box->objectName()));
        QVERIFY2(!Program::accessibleDescription(box).isEmpty(), qPrintable(box->objectName()));
    }
    if (auto* option = editor->findChild<QWidget*>(QStringLiteral("Option1"))) {
        QCOMPARE(Program::accessibleRole(option), QAccessible::RadioButton);
    }
    // List lines are read without their padding blanks.
    auto* list = Program::find<QListWidget>(editor, "List1");
    const QString line = list->item(0)->data(Qt::AccessibleTextRole).toString();
    QVERIFY(line.contains(QStringLiteral("shop.example")) ||
            line.contains(QStringLiteral("Teapot")));
    QCOMPARE(line, line.trimmed());
}

void EditorAccessTest::nothingMovesOrVanishesWhenBoxesAreClicked() {
    for (WindowId window : {WindowId::FormProfile, WindowId::FormDetail, WindowId::FormLink}) {
        Program program;
        ProductRecord product;
        product.ProductName = "Teapot";
        program.state.files.writeProduct(1, product);
        QWidget* editor = program.open(window);
        const QStringList atLoad = Program::placesOf(editor);
        Program::clickLine(editor, "List1", 0);
        QCOMPARE(Program::placesOf(editor), atLoad);
        for (const char* control : {"Text1_2", "Text1_4", "RTB1", "Text1_1"}) {
            Program::click(editor, control);
            QCOMPARE(Program::placesOf(editor), atLoad);
        }
        Program::press(editor, Qt::Key_Return);
        QCOMPARE(Program::placesOf(editor), atLoad);
        // Still usable: the list and the second button are there, the latter as "Continue".
        QVERIFY(Program::find<QListWidget>(editor, "List1")->isVisible());
        QCOMPARE(Program::find<QPushButton>(editor, "Command2")->text(),
                 QStringLiteral("Continue"));
    }
}

void EditorAccessTest::theHelpFollowsTheFocus() {
    Program program;
    QWidget* profile = program.open(WindowId::FormProfile);
    auto* help = Program::find<QLabel>(profile, "Label1");
    Program::clickLine(profile, "List1", 0);
    QVERIFY(help->text().startsWith(QStringLiteral("Enter the DOMAINE NAME")));

    Program::press(profile, Qt::Key_Tab);
    QCOMPARE(profile->focusWidget()->objectName(), QStringLiteral("Text1_1"));
    QVERIFY(help->text().startsWith(QStringLiteral("Enter a TITLE")));
    QVERIFY(help->text().endsWith(QStringLiteral("Length is 40")));
    Program::press(profile, Qt::Key_Tab);
    QVERIFY(help->text().startsWith(QStringLiteral("Enter a HEADING")));
    Program::press(profile, Qt::Key_Backtab);
    QVERIFY(help->text().startsWith(QStringLiteral("Enter a TITLE")));

    Program::click(profile, "Text1_5");
    QVERIFY(help->text().startsWith(QStringLiteral("Enter a COMPANY ADDRESS")));
    Program::press(profile, Qt::Key_Return);
    QCOMPARE(profile->focusWidget()->objectName(), QStringLiteral("Text1_6"));
    QVERIFY(help->text().startsWith(QStringLiteral("Enter a CITY")));
}

void EditorAccessTest::aPriceIsChangedWithTheKeyboardAlone() {
    Program program;
    ProductRecord three;
    three.ProductName = "Teapot";
    program.state.files.writeProduct(3, three);
    QWidget* detail = program.open(WindowId::FormDetail);
    auto* list = Program::find<QListWidget>(detail, "List1");
    list->setFocus(Qt::ActiveWindowFocusReason);  // where the window starts

    Program::press(detail, Qt::Key_Home);
    for (int i = 0; i < 2; ++i) Program::press(detail, Qt::Key_Down);
    Program::press(detail, Qt::Key_Space);
    QCOMPARE(Program::find<QLineEdit>(detail, "Text1_0")->text(), QStringLiteral("Teapot"));
    QCOMPARE(detail->focusWidget()->objectName(), QStringLiteral("Text1_0"));
    for (int i = 0; i < 3; ++i) Program::press(detail, Qt::Key_Tab);
    QCOMPARE(detail->focusWidget()->objectName(), QStringLiteral("Text1_3"));
    QTest::keyClicks(detail->focusWidget(), QStringLiteral("12.5"));
    Program::press(detail, Qt::Key_Return);  // on to the picture box; its dialog is cancelled
    for (int i = 0; i < 5; ++i) Program::press(detail, Qt::Key_Backtab);
    auto* command2 = Program::find<QPushButton>(detail, "Command2");
    QCOMPARE(detail->focusWidget(), command2);
    QCOMPARE(command2->text(), QStringLiteral("Continue"));
    QVERIFY(command2->hasFocus() && command2->autoDefault());

    program.answer(MessageBox::Answer::Yes);
    Program::press(detail, Qt::Key_Return);
    QCOMPARE(program.state.files.readProduct(3).UnitPrice.scaled, std::int64_t{125000});

    Program::press(detail, Qt::Key_Escape);
    QVERIFY(!program.windows.isLoaded(WindowId::FormDetail));
    QVERIFY(program.view(WindowId::FormStart)->isVisible());
}

void EditorAccessTest::theCloseBoxIsExit() {
    Program program;
    QWidget* link = program.open(WindowId::FormLink);
    QVERIFY(link->close());
    QVERIFY(!program.windows.isLoaded(WindowId::FormLink));
    QVERIFY(program.view(WindowId::FormStart)->isVisible());
}

void EditorAccessTest::leavingWithUnsavedTypingAsksFirst() {
    Program program;
    ProductRecord three;
    three.ProductName = "Teapot";
    program.state.files.writeProduct(3, three);
    QWidget* detail = program.open(WindowId::FormDetail);
    Program::clickLine(detail, "List1", 2);
    Program::type(detail, "Text1_1", QStringLiteral("Blue"));

    // Cancel on the close box and on Escape: the window and the typing stay.
    program.answer(MessageBox::Answer::Cancel);
    QVERIFY(!detail->close());
    program.answer(MessageBox::Answer::Cancel);
    Program::press(detail, Qt::Key_Escape);
    QVERIFY(detail->isVisible());
    QCOMPARE(Program::find<QLineEdit>(detail, "Text1_1")->text(), QStringLiteral("Blue"));
    QVERIFY(program.state.files.readProduct(3).Description.blank());

    // No: the typing is dropped and the window closes.
    program.answer(MessageBox::Answer::No);
    QVERIFY(detail->close());
    QVERIFY(!program.windows.isLoaded(WindowId::FormDetail));
    QVERIFY(program.state.files.readProduct(3).Description.blank());
}

void EditorAccessTest::thePickedPictureIsShown() {
    Program program;
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::darkCyan);
    QVERIFY(logo.save(
        QString::fromStdString((program.temp / "Program Files/Tarvomen/TMedia/LOGO.JPG").string()),
        "JPG"));
    program.fileDialog.answers.push_back("C:\\Program Files\\Tarvomen\\TMedia\\LOGO.JPG");
    QWidget* profile = program.open(WindowId::FormProfile);
    Program::clickLine(profile, "List1", 0);
    Program::click(profile, "Text1_3");

    QCOMPARE(program.fileDialog.requests.size(), std::size_t{1});
    QCOMPARE(program.fileDialog.requests[0].initialFolder,
             std::string("C:\\Program Files\\Tarvomen\\TMedia"));
    auto* picture = Program::find<QLabel>(profile, "Picture1");
    QVERIFY(!picture->pixmap().isNull());
    // It stays in view while the other boxes are edited.
    Program::click(profile, "Text1_12");
    QVERIFY(!picture->pixmap().isNull());
}

void EditorAccessTest::thePictureDialogOpensInTheMediaFolderWithOneFilter() {
    Program program;
    gui::QtFileDialog dialog(program.drive);
    FileDialogRequest request;
    request.title = "Pick";
    request.initialFolder = "C:\\Program Files\\Tarvomen\\TMedia";
    request.filters = {{"GIF Images (*.gif)", "*.gif"}, {"JPG Images (*.jpg)", "*.jpg"}};
    QString folder;
    QStringList filters;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!shown) return;
        folder = shown->directory().absolutePath();
        filters = shown->nameFilters();
        shown->reject();
    });
    poll.start(20);
    QVERIFY(!dialog.openFile(request).has_value());

    QCOMPARE(std::filesystem::path(folder.toStdString()),
             program.temp / "Program Files/Tarvomen/TMedia");
    QCOMPARE(filters.size(), 1);
    QVERIFY(filters[0].contains(QStringLiteral("*.[gG][iI][fF]")));
    QVERIFY(filters[0].contains(QStringLiteral("*.[jJ][pP][gG]")));
}

QTEST_MAIN(EditorAccessTest)
#include "editor_access_test.moc"
