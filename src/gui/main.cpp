// The desktop program: `tarvomen [--drive DIR]`.
#include <QApplication>
#include <QCommandLineParser>
#include <QEvent>
#include <QTimer>

#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "gui/gui_context.hpp"
#include "gui/publish/gui_site_publisher.hpp"
#include "gui/screenshot_tour.hpp"
#include "gui/services/qt_clipboard.hpp"
#include "gui/services/qt_file_dialog.hpp"
#include "gui/services/qt_message_box.hpp"
#include "gui/shell/form_start_view.hpp"
#include "gui/shell/logo.hpp"
#include "handoffs/desktop_shell.hpp"
#include "platform/drive.hpp"
#include "platform/font_list.hpp"
#include "publish/previewing_shell.hpp"
#include "shell/first_start.hpp"
#include "store/app_state.hpp"
#include "tarvomen/version.hpp"

namespace {

// Each press of a key or a mouse button starts a user action: what the drive remembers of
// folder listings is read again when the action needs it.
class ActionStarts : public QObject {
  public:
    explicit ActionStarts(const tarvomen::Drive& drive) : drive_(drive) {}
    bool eventFilter(QObject* object, QEvent* event) override {
        const auto type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
            type == QEvent::MouseButtonDblClick || type == QEvent::Shortcut) {
            drive_.forgetFolderListings();
        }
        return QObject::eventFilter(object, event);
    }

  private:
    const tarvomen::Drive& drive_;
};

}  // namespace

int main(int argc, char** argv) {
    using namespace tarvomen;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvomen"));
    QApplication::setApplicationVersion(QString::fromUtf8(kVersion));
    QApplication::setWindowIcon(gui::tarvomenIcon());
    // The program ends through the exit sequence of the start window only.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Site builder for a small on-line shop. The drive folder stands for drive C:."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption driveOption(
        QStringLiteral("drive"),
        QStringLiteral("The drive folder (default: $TARVOMEN_DRIVE, else "
                       "$XDG_DATA_HOME/tarvomen/drive_c)."),
        QStringLiteral("DIR"));
    parser.addOption(driveOption);
    // For scripts/screenshots: walk the main windows, save their pictures and end.
    QCommandLineOption screenshotsOption(QStringLiteral("screenshots"), QString(),
                                         QStringLiteral("DIR"));
    screenshotsOption.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption frenchOption(QStringLiteral("screenshots-in-french"));
    frenchOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshotsOption);
    parser.addOption(frenchOption);
    parser.process(app);

    std::optional<std::string> driveArgument;
    if (parser.isSet(driveOption)) driveArgument = parser.value(driveOption).toStdString();

    gui::QtMessageBox messages;
    // A drive named on the command line must exist: an empty name would silently open the
    // default shop, a mistyped one would leave a new drive behind (tarvomen-cli init lays one
    // out). The default drive is laid out on the first start.
    std::error_code ec;
    if (driveArgument &&
        (driveArgument->empty() || !std::filesystem::is_directory(*driveArgument, ec))) {
        messages.inform(driveArgument->empty()
                            ? "--drive needs a folder."
                            : "The drive folder " + *driveArgument +
                                  " does not exist. Lay one out with: tarvomen-cli --drive " +
                                  *driveArgument + " init",
                        "Tarvomen", MessageBox::Icon::Critical);
        return 2;
    }
    try {
        Drive drive(Drive::locate(driveArgument));
        // A new drive folder gets the program folder and the sample media themes.
        shell::layOutProgramFolder(drive, shell::sampleMediaFolder());
        ActionStarts actionStarts(drive);
        app.installEventFilter(&actionStarts);
        FontconfigFontList fonts;
        handoffs::DesktopShell desktop(drive);
        // Previews go to the browser through a local server, so that the pages' /Tarvomen/...
        // references resolve; folders and the FTP address pass straight to the desktop.
        publish::PreviewingShell shell(desktop, drive);
        gui::QtClipboard clipboard;
        gui::QtFileDialog fileDialog(drive);
        AppState state(drive, Services{&messages, &shell, &fonts, &clipboard, &fileDialog});

        gui::WindowRegistry windows;
        gui::GuiContext context{state, windows};
        gui::registerAllWindows(context);
        // The FTP dialog's OK publishes the site through the Publish window.
        gui::GuiSitePublisher publisher;
        state.services.publisher = &publisher;
        windows.show(WindowId::FormStart);
        auto* start = qobject_cast<gui::FormStartView*>(windows.view(WindowId::FormStart));
        QObject::connect(start, &gui::FormStartView::programEnded, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        if (parser.isSet(screenshotsOption)) {
            gui::runScreenshotTour(windows, parser.value(screenshotsOption),
                                   parser.isSet(frenchOption), [] { QApplication::exit(0); });
        } else if (qEnvironmentVariableIsSet("TARVOMEN_QUIT_AFTER_FIRST_WINDOW")) {
            // For start-time measurements: end as soon as the start window is up, without its
            // exit sequence (exit(), unlike quit(), closes no window).
            QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
        }
        const int status = app.exec();
        // The views work on the state above: they go first, the start window last.
        for (WindowId window :
             {WindowId::FormProfile, WindowId::FormDetail, WindowId::FormLink, WindowId::Form1,
              WindowId::FormMedia, WindowId::FormMedia2, WindowId::frmLogin, WindowId::FormStart}) {
            delete windows.view(window);
        }
        return status;
    } catch (const std::exception& error) {
        messages.inform(error.what(), "Tarvomen", MessageBox::Icon::Critical);
        return 1;
    }
}
