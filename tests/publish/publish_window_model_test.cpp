// The Publish window's model without a window: what it lets the owner do and what it says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "publish/upload/publish_window_model.hpp"
#include "support/fakes.hpp"
#include "upload_test_support.hpp"

namespace tarvomen::publish {
namespace {

using namespace tarvomen::testing;

using ::testing::HasSubstr;
using ::testing::Not;

constexpr std::int16_t kFrench = 200;

// The program's state over a small site, with FTP settings in the page record.
struct Program {
    explicit Program(SmallSite& site) : state(site.drive, Services{&messages}) {
        state.files.openAll(state.drive);
        PageRecord page = state.files.readPage(1);
        page.FtpHost = "ftp.example.com/www";
        page.FtpUserName = "shop";
        page.FtpPassword = "secret";
        state.files.writePage(1, page);
    }

    // A model whose uploader is never run against a server.
    PublishWindowModel model() {
        return PublishWindowModel(state, [this](const publish::PublishTarget& target, bool,
                                                publish::UploadOptions options) {
            ++uploadersMade;
            return std::make_unique<publish::SiteUploader>(
                std::vector<publish::LocalFile>{}, target.host.display(), "unused",
                [](const std::atomic<bool>&) -> std::unique_ptr<publish::RemoteFiles> {
                    return nullptr;
                },
                options);
        });
    }

    ScriptedMessageBox messages;
    AppState state;
    int uploadersMade = 0;
};

// Media that are whole: a JPEG with its start and end markers, a GIF with its trailer.
const std::string kWholeJpeg =
    std::string("\xFF\xD8\xFF\xE0", 4) + std::string(200, '\x02') + std::string("\xFF\xD9", 2);
const std::string kWholeGif = "GIF89a" + std::string(200, '\x01') + ";";

TEST(PublishWindowModelTest, ASiteFolderWithoutHomePageCannotBePublishedAndSaysWhy) {
    for (const std::int16_t language : {std::int16_t{1}, kFrench}) {
        SCOPED_TRACE(language);
        SmallSite site;
        site.remove("index.html");  // what a product preview leaves
        Program program(site);
        program.state.LangInd = language;
        PublishWindowModel model = program.model();
        model.load();
        EXPECT_FALSE(model.canStart);
        EXPECT_THAT(model.status,
                    HasSubstr(language == kFrench ? "ne contient pas de page d'accueil"
                                                  : "holds no home page"));
        EXPECT_EQ(model.start(), nullptr);
        EXPECT_FALSE(model.checkSite());
        EXPECT_TRUE(model.findings.empty());
        EXPECT_EQ(program.uploadersMade, 0);

        site.put("index.html", "<HTML><BODY>Home</BODY></HTML>\r\n");
        model.load();
        EXPECT_TRUE(model.canStart);
        EXPECT_NE(model.start(), nullptr);
    }
}

TEST(PublishWindowModelTest, CountsEachOutcomeApartAndShowsAnEmptyBarWithNothingToDo) {
    SmallSite site;
    Program program(site);
    PublishWindowModel model = program.model();
    model.load();
    ASSERT_NE(model.start(), nullptr);
    EXPECT_EQ(model.countsText(), "");

    // Nothing to send: the bar stays empty, during and after the run.
    EXPECT_EQ(model.permille(), 0);
    model.progressed({});
    EXPECT_EQ(model.permille(), 0);
    EXPECT_EQ(model.progressText(), "0 of 0 files, 0.0 of 0.0 KB");
    model.finished(PublishReport{});
    EXPECT_EQ(model.permille(), 0);
    EXPECT_EQ(model.countsText(), "Sent 0, unchanged 0, deleted 0, not tried 0, failed 0.");

    // A run that stopped part-way: what was never tried is not counted as failed.
    PublishReport stopped;
    stopped.destination = "ftp.example.com/www";
    stopped.uploaded = {"Tarvomen/Data/0.GIF", "Tarvomen/Data/1.JPG"};
    stopped.skipped = {"Tarvomen/1.html"};
    stopped.failed = {{"Tarvomen/Link211.html", "refused."}};
    stopped.notTried = {"Tarvomen/index.html", "tarvomen/index.html", "tarvomen/1.html"};
    stopped.deleted = {"Tarvomen/old.html"};
    stopped.problem = "The connection to ftp.example.com/www failed: reset.";
    ASSERT_NE(model.start(), nullptr);
    model.progressed({5, 3, 8, 50000, 100000, "Tarvomen/index.html"});
    EXPECT_EQ(model.permille(), 500);
    EXPECT_EQ(model.progressText(), "3 of 8 files, 48.8 of 97.7 KB");
    model.finished(stopped);
    EXPECT_EQ(model.countsText(), "Sent 2, unchanged 1, deleted 1, not tried 3, failed 1.");
    EXPECT_THAT(model.reportText, HasSubstr("2 uploaded, 1 unchanged, 1 deleted, 3 not tried, "
                                            "1 failed."));

    program.state.LangInd = kFrench;
    model.finished(stopped);
    EXPECT_EQ(model.countsText(), "Envoyés 2, inchangés 1, supprimés 1, non tentés 3, en échec 1.");
    EXPECT_EQ(model.progressText(), "3 sur 8 fichiers, 48,8 sur 97,7 Ko");
    EXPECT_THAT(model.reportText, HasSubstr("La publication sur ftp.example.com/www est "
                                            "incomplète : 2 envoyés, 1 inchangés"));
    EXPECT_THAT(model.status, HasSubstr("La publication n'est pas terminée"));
}

TEST(PublishWindowModelTest, AFailedConnectionSaysWhatToCheck) {
    struct Case {
        std::optional<RemoteError::Kind> kind;
        bool advised;
    };
    const Case cases[] = {
        {RemoteError::Kind::Connection, true}, {RemoteError::Kind::TimedOut, true},
        {RemoteError::Kind::Fatal, true},      {RemoteError::Kind::Full, false},
        {RemoteError::Kind::Cancelled, false}, {std::nullopt, false},
    };
    SmallSite site;
    Program program(site);
    PublishWindowModel model = program.model();
    model.load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind ? static_cast<int>(*c.kind) : -1);
        ASSERT_NE(model.start(), nullptr);
        EXPECT_EQ(model.advice, "");
        PublishReport report;
        report.problem = "It went wrong.";
        report.problemKind = c.kind;
        model.finished(report);
        if (c.advised) {
            for (const char* what : {"host", "user name", "password", "connection"}) {
                EXPECT_THAT(model.advice, HasSubstr(what));
            }
        } else {
            EXPECT_EQ(model.advice, "");
        }
    }
    // An untrusted server asks a question of its own instead.
    ASSERT_NE(model.start(), nullptr);
    PublishReport untrusted;
    untrusted.problemKind = RemoteError::Kind::Fatal;
    untrusted.identity = publish::ServerIdentity{};
    program.messages.answer(MessageBox::Answer::No);
    EXPECT_FALSE(model.finished(untrusted));
    EXPECT_EQ(model.advice, "");
}

TEST(PublishWindowModelTest, TheSiteCheckListsProblemsBeforeHintsAndPublishingStaysPossible) {
    SmallSite site;
    site.put("Data/1.JPG", kWholeJpeg);
    site.put("Data/0.GIF", kWholeGif);
    Program program(site);
    PublishWindowModel model = program.model();
    model.load();
    ASSERT_TRUE(model.checkSite())
        << (model.findings.empty() ? "" : model.findingText(model.findings[0]));
    EXPECT_EQ(model.problems, 0u);

    // A page that refers to a medium the site folder lacks, and an oversized page.
    site.put("1.html", "<HTML><BODY><IMG SRC=/Tarvomen/Data/7.GIF>" + std::string(1100000, ' ') +
                           "</BODY></HTML>\r\n");
    for (const std::int16_t language : {std::int16_t{1}, kFrench}) {
        SCOPED_TRACE(language);
        program.state.LangInd = language;
        model.load();
        EXPECT_FALSE(model.checkSite());
        ASSERT_EQ(model.problems, 1u);
        ASSERT_EQ(model.findings.size(), 2u);
        EXPECT_EQ(model.findings[0].severity, check::Finding::Severity::Problem);
        EXPECT_EQ(model.findings[1].severity, check::Finding::Severity::Hint);
        const std::string problem = model.findingText(model.findings[0]);
        const std::string hint = model.findingText(model.findings[1]);
        if (language == kFrench) {
            EXPECT_THAT(problem, HasSubstr("Problème : 1.html, /Tarvomen/Data/7.GIF : "));
            EXPECT_THAT(hint, HasSubstr("Conseil : 1.html"));
            EXPECT_THAT(model.status, HasSubstr("1 problème a été trouvé"));
        } else {
            EXPECT_THAT(problem, HasSubstr("Problem: 1.html, /Tarvomen/Data/7.GIF: "));
            EXPECT_THAT(hint, HasSubstr("Hint: 1.html"));
            EXPECT_THAT(model.status, HasSubstr("1 problem was found"));
        }
        // Seen: the owner may publish all the same.
        EXPECT_TRUE(model.canStart);
        ASSERT_NE(model.start(), nullptr);
        model.finished(PublishReport{});
    }
}

}  // namespace
}  // namespace tarvomen::publish
