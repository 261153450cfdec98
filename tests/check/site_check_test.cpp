#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "check/site_check.hpp"
#include "cli/cli_runner.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::check {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::runCli;
using testing::writeFile;

// The demo shop, generated; each test plants its fault into the site or the records.
class SiteCheckTest : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_EQ(runCli(drive, cli::runInit, {"--demo"}).status, cli::kExitOk);
        ASSERT_EQ(runCli(drive, cli::runGenerate, {}).status, cli::kExitOk);
    }

    fs::path site(const std::string& relative) const { return temp.path() / "Tarvomen" / relative; }

    void replaceInPage(const std::string& page, const std::string& from, const std::string& to) {
        std::string bytes = readFile(site(page));
        const std::size_t at = bytes.find(from);
        ASSERT_NE(at, std::string::npos) << from << " not in " << page;
        writeFile(site(page), bytes.replace(at, from.size(), to));
    }

    std::vector<Finding> check(CheckOptions options = {}) {
        AppState state(drive, Services{});
        state.files.openAll(drive);
        auto findings = checkSite(state, options);
        for (auto& hint : checkRecords(state)) findings.push_back(std::move(hint));
        return findings;
    }

    testing::TempDrive temp;
    Drive drive{temp.path()};
};

std::string describe(const std::vector<Finding>& findings) {
    std::string out;
    for (const auto& f : findings) out += f.page + " | " + f.reference + " | " + f.message + "\n";
    return out;
}

TEST_F(SiteCheckTest, TheGeneratedDemoSiteHasNothingToReport) {
    EXPECT_EQ(describe(check()), "");
}

TEST_F(SiteCheckTest, FindsEachPlantedFaultWithItsPageAndReference) {
    struct Case {
        const char* name;
        std::function<void(SiteCheckTest&)> plant;
        const char* page;
        const char* reference;
        const char* message;  // the start of the message
    };
    const Case cases[] = {
        {"missing medium", [](SiteCheckTest& t) { fs::remove(t.site("Data/0.GIF")); }, "index.html",
         "/Tarvomen/Data/0.GIF", "is missing from the site folder"},
        {"renamed page", [](SiteCheckTest& t) { fs::rename(t.site("2.html"), t.site("two.html")); },
         "1.html", "2.html", "is missing from the site folder"},
        {"a name that only a case-insensitive host finds",
         [](SiteCheckTest& t) { fs::rename(t.site("Data/1.JPG"), t.site("Data/1.jpg")); },
         "index.html", "/Tarvomen/Data/1.JPG", "works only where names are compared without"},
        {"media under the mirror of the pages",
         [](SiteCheckTest& t) {
             t.replaceInPage("index.html", "BACKGROUND=/Tarvomen/Data/0.GIF",
                             "BACKGROUND=/tarvomen/Data/0.GIF");
         },
         "index.html", "/tarvomen/Data/0.GIF", "works only where names are compared without"},
        {"truncated JPEG",
         [](SiteCheckTest& t) {
             writeFile(t.site("Data/1.JPG"), readFile(t.site("Data/1.JPG")).substr(0, 600));
         },
         "Data/1.JPG", "", "is cut short"},
        {"picture of another kind",
         [](SiteCheckTest& t) { writeFile(t.site("Data/0.GIF"), "<html>not found</html>"); },
         "Data/0.GIF", "", "is not a GIF picture"},
        {"product link to a page titled otherwise",
         [](SiteCheckTest& t) {
             t.replaceInPage("3.html", "<TITLE>Harbour Black Tea</TITLE>",
                             "<TITLE>Lighthouse Candle</TITLE>");
         },
         "index.html", "/tarvomen/3.html",
         "is the link of \"Harbour Black Tea\" but leads to the page titled \"Lighthouse Candle\""},
        {"picture outside the site",
         [](SiteCheckTest& t) {
             t.replaceInPage("index.html", "BACKGROUND=/Tarvomen/Data/0.GIF",
                             "BACKGROUND=/images/back.gif");
         },
         "index.html", "/images/back.gif", "is outside the site folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(runCli(drive, cli::runGenerate, {}).status, cli::kExitOk);
        c.plant(*this);
        const auto findings = check();
        ASSERT_FALSE(findings.empty());
        const Finding& f = findings.front();
        EXPECT_EQ(f.severity, Finding::Severity::Problem);
        EXPECT_EQ(f.page, c.page) << describe(findings);
        EXPECT_EQ(f.reference, c.reference) << describe(findings);
        EXPECT_EQ(f.message.rfind(c.message, 0), 0u) << describe(findings);
    }
}

TEST_F(SiteCheckTest, AReferenceRepeatedOnAPageIsReportedOnce) {
    fs::remove(site("Data/0.GIF"));
    std::size_t onIndex = 0;
    for (const auto& f : check()) onIndex += f.page == "index.html" ? 1 : 0;
    EXPECT_EQ(onIndex, 1u);
}

TEST_F(SiteCheckTest, HintsBreakNothing) {
    // Large files, texts that fill their field and a product name given twice.
    {
        SiteFiles files;
        files.openAll(drive);
        ProductRecord product = files.readProduct(2);
        product.ProductName = files.readProduct(1).ProductName.trimmed();
        product.Description = std::string(40, 'x');
        files.writeProduct(2, product);
    }

    const auto findings = check(CheckOptions{.sizeLimit = 5000});
    for (const auto& f : findings) EXPECT_EQ(f.severity, Finding::Severity::Hint) << f.message;
    const auto has = [&](const std::string& page, const std::string& reference,
                         const std::string& start) {
        return std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
            return f.page == page && f.reference == reference && f.message.rfind(start, 0) == 0;
        });
    };
    EXPECT_TRUE(has("index.html", "", "is larger than 5000 bytes")) << describe(findings);
    EXPECT_TRUE(has("Qvdetail.txt 2", "Description", "fills its whole field of 40 characters"))
        << describe(findings);
    EXPECT_TRUE(
        has("Qvdetail.txt", "ProductName", "\"Sea Glass Mug\" is the name of the products 1, 2"))
        << describe(findings);
}

TEST_F(SiteCheckTest, CommandExitsOneOnAProblemAndWritesJsonForScripts) {
    auto run = runCli(drive, cli::runCheck, {});
    EXPECT_EQ(run.status, cli::kExitOk);
    EXPECT_EQ(run.out, "No problems found.\n");

    fs::remove(site("Data/0.GIF"));
    run = runCli(drive, cli::runCheck, {"--json"});
    EXPECT_EQ(run.status, cli::kExitFailure);
    EXPECT_EQ(run.out,
              "{\"findings\": [\n"
              "  {\"severity\": \"problem\", \"page\": \"index.html\", \"reference\": "
              "\"/Tarvomen/Data/0.GIF\", \"message\": \"is missing from the site folder\"}\n"
              "]}\n");
    EXPECT_EQ(runCli(drive, cli::runCheck, {"--limit", "none"}).status, cli::kExitUsage);
}

}  // namespace
}  // namespace tarvomen::check
