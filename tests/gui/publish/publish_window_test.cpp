// The Publish window over a real FTP server, and over a server that answers only when told to.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <thread>

#include "gui/publish/gui_site_publisher.hpp"
#include "publish/upload/publish_store.hpp"
#include "support/fakes.hpp"
#include "support/widget_lookup.hpp"
#include "upload_test_support.hpp"

using namespace tarvomen;
using tarvomen::testing::child;

namespace {

// The program's state over the site's drive, with the server's FTP settings in the page record.
struct Program {
    Program(testing::SmallSite& site, const std::string& host, const std::string& user,
            const std::string& password)
        : state(site.drive, Services{&messages}) {
        state.files.openAll(state.drive);
        PageRecord page = state.files.readPage(1);
        page.FtpHost = host + "/www";
        page.FtpUserName = user;
        page.FtpPassword = password;
        state.files.writePage(1, page);
    }
    Program(testing::SmallSite& site, const testing::FtpTestServer& server)
        : Program(site, server.host(), server.options().user, server.options().password) {}

    testing::ScriptedMessageBox messages;
    AppState state;
};

// A server whose uploads wait until the run is cancelled.
class StalledServer : public publish::RemoteFiles {
  public:
    explicit StalledServer(const std::atomic<bool>& cancel) : cancel_(cancel) {}
    void connect() override {}
    bool makeFolder(const std::string&) override { return true; }
    // An empty server whose names are case-sensitive: "tarvomen" is not there.
    std::optional<std::vector<publish::RemoteEntry>> list(const std::string& folder) override {
        if (!folder.empty()) return std::nullopt;
        return std::vector<publish::RemoteEntry>{{"Tarvomen", true, std::nullopt}};
    }
    void upload(const std::string&, std::string_view, const Progress& progress, bool) override {
        progress(0);
        while (!cancel_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        throw publish::RemoteError(publish::RemoteError::Kind::Cancelled, "Cancelled.");
    }
    void remove(const std::string&) override {}

  private:
    const std::atomic<bool>& cancel_;
};

constexpr int kPatience = 30000;

}  // namespace

class PublishWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void theFtpDialogsPublisherSendsTheSiteBesideTheUserInterface();
    void problemsOfTheSiteAreListedAndPublishingWaitsForTheOwner();
    void cancelStopsTheTransferAndTheWindowStaysUsable();
    void anUntrustedCertificateIsShownAndTrustedOnlyWhenAccepted();
};

void PublishWindowTest::theFtpDialogsPublisherSendsTheSiteBesideTheUserInterface() {
    testing::FtpTestServer server({.tls = false});
    testing::SmallSite site;
    // Whole media: the site check finds nothing, so publishing starts at once.
    site.files["Data/0.GIF"] = "GIF89a" + std::string(2000, '\x01') + ";";
    site.files["Data/1.JPG"] =
        std::string("\xFF\xD8\xFF\xE0", 4) + std::string(3000, '\x02') + "\xFF\xD9";
    for (const auto& [relative, bytes] : site.files) site.put(relative, bytes);
    Program program(site, server);
    publish::PublishStore::forDrive(site.drive).saveSettings(server.host(), {true, "", ""});

    gui::GuiSitePublisher publisher;
    publisher.publish(program.state);
    gui::PublishWindow* window = publisher.window();
    QVERIFY(window && window->isVisible());
    QVERIFY(child<QListWidget>(window, "Findings")->isHidden());
    QVERIFY(child<QCheckBox>(window, "AllowPlainFtp")->isChecked());
    QVERIFY(window->running());
    QVERIFY(!child<QPushButton>(window, "Publish")->isEnabled());
    QVERIFY(child<QPushButton>(window, "Cancel")->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kPatience);
    const QString report = child<QPlainTextEdit>(window, "Report")->toPlainText();
    QVERIFY2(report.startsWith(QStringLiteral("Published to 127.0.0.1:")), qPrintable(report));
    QCOMPARE(child<QProgressBar>(window, "ProgressBar")->value(), 1000);
    QCOMPARE(child<QLabel>(window, "ProgressText")->text().left(13),
             QStringLiteral("8 of 8 files,"));
    QCOMPARE(server.files(), site.expectedOnServer("www", true));
    QCOMPARE(child<QLabel>(window, "Counts")->text(),
             QStringLiteral("Sent 8, unchanged 0, deleted 0, not tried 0, failed 0."));
    QVERIFY(child<QPushButton>(window, "Publish")->isEnabled());
    QVERIFY(!child<QPushButton>(window, "Cancel")->isEnabled());
}

void PublishWindowTest::problemsOfTheSiteAreListedAndPublishingWaitsForTheOwner() {
    testing::FtpTestServer server({.tls = false});
    testing::SmallSite site;  // its media are cut short
    Program program(site, server);
    program.state.LangInd = 200;
    publish::PublishStore::forDrive(site.drive).saveSettings(server.host(), {true, "", ""});

    gui::GuiSitePublisher publisher;
    publisher.publish(program.state);
    gui::PublishWindow* window = publisher.window();
    QVERIFY(window && !window->running());
    auto* findings = child<QListWidget>(window, "Findings");
    QVERIFY(!findings->isHidden());
    QCOMPARE(findings->count(), 2);
    QVERIFY(findings->item(0)->text().startsWith(QStringLiteral("Problème : Data/")));
    QVERIFY(child<QLabel>(window, "Status")->text().startsWith(QStringLiteral("2 problèmes")));
    QVERIFY(server.files().empty());

    auto* publishButton = child<QPushButton>(window, "Publish");
    QCOMPARE(publishButton->text(), QStringLiteral("Publier"));
    QVERIFY(publishButton->isEnabled());
    QTest::mouseClick(publishButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kPatience);
    QCOMPARE(server.files(), site.expectedOnServer("www", true));
    QCOMPARE(child<QLabel>(window, "Counts")->text(),
             QStringLiteral("Envoyés 8, inchangés 0, supprimés 0, non tentés 0, en échec 0."));
}

void PublishWindowTest::cancelStopsTheTransferAndTheWindowStaysUsable() {
    testing::SmallSite site;
    Program program(site, "ftp.example.com", "shop", "secret");
    auto stalled = [&site](const publish::PublishTarget& target, bool,
                           publish::UploadOptions options) {
        return std::make_unique<publish::SiteUploader>(
            publish::listSiteFiles(site.drive), target.host.display(), site.temp / "manifest",
            [](const std::atomic<bool>& cancel) { return std::make_unique<StalledServer>(cancel); },
            options);
    };
    gui::PublishWindow window(program.state, stalled);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Ticking the box keeps the choice for the host.
    auto* allow = child<QCheckBox>(&window, "AllowPlainFtp");
    QTest::mouseClick(allow, Qt::LeftButton, {}, QPoint(8, allow->height() / 2));
    QVERIFY(publish::PublishStore::forDrive(site.drive).settings("ftp.example.com").allowPlainFtp);

    QTest::mouseClick(child<QPushButton>(&window, "Publish"), Qt::LeftButton);
    // The media first, both at once.
    QTRY_VERIFY_WITH_TIMEOUT(
        child<QLabel>(&window, "CurrentFile")->text().startsWith(QStringLiteral("Tarvomen/Data/")),
        kPatience);
    QCOMPARE(child<QLabel>(&window, "ProgressText")->text().left(13),
             QStringLiteral("0 of 8 files,"));
    QVERIFY(!child<QCheckBox>(&window, "AllowPlainFtp")->isEnabled());

    QTest::mouseClick(child<QPushButton>(&window, "Cancel"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.running(), kPatience);
    const QString report = child<QPlainTextEdit>(&window, "Report")->toPlainText();
    QVERIFY2(report.startsWith(QStringLiteral("Publishing to ftp.example.com/www was cancelled")),
             qPrintable(report));
    QVERIFY2(report.contains(QStringLiteral("0 uploaded, 0 unchanged, 0 deleted, 8 not tried, "
                                            "0 failed.")),
             qPrintable(report));
    QVERIFY(report.contains(
        QStringLiteral("Not tried (publishing stopped first):\n  Tarvomen/Data/0.GIF\n")));
    QVERIFY(child<QPushButton>(&window, "Publish")->isEnabled());
}

void PublishWindowTest::anUntrustedCertificateIsShownAndTrustedOnlyWhenAccepted() {
    testing::FtpTestServer server({.tls = true});
    testing::SmallSite site;
    Program program(site, server);
    gui::PublishWindow window(program.state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* publishButton = child<QPushButton>(&window, "Publish");

    program.messages.answer(MessageBox::Answer::No);
    QTest::mouseClick(publishButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.running(), kPatience);
    QCOMPARE(program.messages.shown.size(), std::size_t{1});
    const std::string question = program.messages.shown[0].text;
    QVERIFY(question.find("SHA-256 fingerprint: " + server.certificateFingerprint()) !=
            std::string::npos);
    QVERIFY(question.find("Subject: CN = Tarvomen test server") != std::string::npos);
    QVERIFY(
        publish::PublishStore::forDrive(site.drive).settings(server.host()).publicKeyPin.empty());
    QVERIFY(server.files().empty());

    program.messages.answer(MessageBox::Answer::Yes);
    QTest::mouseClick(publishButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPlainTextEdit>(&window, "Report")
                                 ->toPlainText()
                                 .startsWith(QStringLiteral("Published")),
                             kPatience);
    QCOMPARE(program.messages.shown.size(), std::size_t{2});
    QCOMPARE(server.files(), site.expectedOnServer("www", true));
}

QTEST_MAIN(PublishWindowTest)
#include "publish_window_test.moc"
