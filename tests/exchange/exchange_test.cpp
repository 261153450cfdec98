#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli_runner.hpp"
#include "exchange/shop_export.hpp"
#include "exchange/shop_import.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::exchange {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::runCli;
using testing::writeFile;

// The demo shop on a temporary drive, exported and imported through the command line.
class ExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(runCli(drive, cli::runInit, {"--demo"}).status, cli::kExitOk);
        records = recordBytes();
    }

    std::string recordBytes() const {
        std::string all;
        for (const char* name : {"Qvprofile.txt", "Qvdetail.txt", "Qvmp.txt"}) {
            all += readFile(temp / ("Program Files/Tarvomen/" + std::string(name)));
        }
        return all;
    }

    std::string exported(std::vector<std::string> args = {}) {
        const auto run = runCli(drive, cli::runExport, std::move(args));
        EXPECT_EQ(run.status, cli::kExitOk) << run.err;
        return run.out;
    }

    testing::CliRun import(const std::string& document, std::vector<std::string> options = {}) {
        const fs::path file = temp.path() / "shop.in";
        writeFile(file, document);
        options.insert(options.begin(), file.string());
        return runCli(drive, cli::runImport, options);
    }

    testing::TempDrive temp;
    Drive drive{temp.path()};
    std::string records;
};

TEST_F(ExchangeTest, ARoundTripLeavesTheRecordFilesByteIdentical) {
    for (const char* format : {"json", "csv"}) {
        SCOPED_TRACE(format);
        const auto run = import(exported({"--format", format, "--with-password"}));
        EXPECT_EQ(run.status, cli::kExitOk) << run.err;
        EXPECT_EQ(run.out, "0 fields changed.\n");
        EXPECT_TRUE(recordBytes() == records);
    }
}

TEST_F(ExchangeTest, JsonHoldsTheWholeShopWithNumbersAsNumbersAndNoPasswordUnlessAsked) {
    const auto shop = nlohmann::json::parse(exported());
    EXPECT_EQ(shop["page"]["Heading"], "Driftwood & Fern Gift Shop");
    EXPECT_FALSE(shop["page"].contains("FtpPassword"));
    EXPECT_EQ(shop["products"].size(), 30u);
    EXPECT_EQ(shop["products"]["1"]["UnitPrice"], 18.5);
    EXPECT_EQ(shop["products"]["1"]["QuantityPerUnit"], 1);
    EXPECT_EQ(shop["styles"].size(), kStyleRecordNumbers.size());
    EXPECT_TRUE(shop["styles"]["101"]["StyleIndex"].is_array());
    EXPECT_TRUE(
        nlohmann::json::parse(exported({"--with-password"}))["page"].contains("FtpPassword"));

    // Imported without the password, the stored one stays.
    ASSERT_EQ(runCli(drive, cli::runSet, {"page", "FtpPassword=s3cret"}).status, cli::kExitOk);
    auto changed = nlohmann::json::parse(exported());
    changed["page"]["Title"] = "Gifts from the Coast";
    ASSERT_EQ(import(changed.dump()).status, cli::kExitOk);
    const auto after = nlohmann::json::parse(exported({"--with-password"}))["page"];
    EXPECT_EQ(after["Title"], "Gifts from the Coast");
    EXPECT_EQ(after["FtpPassword"], "s3cret");
}

TEST_F(ExchangeTest, ChangesAreStoredByTheEditorsRulesAndListedFieldByField) {
    std::string csv = exported({"--format", "csv"});
    const std::string from = "2,Lighthouse Candle,\"Striped pillar candle, 40 hours\",1,14.95,";
    ASSERT_NE(csv.find(from), std::string::npos);
    csv.replace(csv.find(from), from.size(),
                "2,  Lighthouse Lamp  ,\"Striped, \"\"tall\"\"\",2,8.95,");

    const auto dry = import(csv, {"--dry-run"});
    EXPECT_EQ(dry.status, cli::kExitOk) << dry.err;
    EXPECT_TRUE(recordBytes() == records);
    EXPECT_EQ(dry.out,
              "row 3 (product 2), ProductName: \"Lighthouse Candle\" -> \"  Lighthouse Lamp  \"\n"
              "row 3 (product 2), Description: \"Striped pillar candle, 40 hours\" -> "
              "\"Striped, \"tall\"\"\n"
              "row 3 (product 2), QuantityPerUnit: \"1\" -> \"2\"\n"
              "row 3 (product 2), UnitPrice: \"14.95\" -> \"8.95\"\n"
              "4 fields would change.\n");

    ASSERT_EQ(import(csv).status, cli::kExitOk);
    const auto product2 = [&] {
        SiteFiles files;
        files.openAll(drive);
        return files.readProduct(2);
    };
    const ProductRecord imported = product2();
    EXPECT_EQ(imported.UnitPrice.scaled, 89500);
    // The same bytes as `set` stores for these values: setting them again changes nothing.
    const auto set =
        runCli(drive, cli::runSet,
               {"product", "2", "ProductName=  Lighthouse Lamp  ", "Description=Striped, \"tall\"",
                "QuantityPerUnit=2", "UnitPrice=8.95"});
    ASSERT_EQ(set.status, cli::kExitOk) << set.err;
    EXPECT_TRUE(product2() == imported);
}

TEST_F(ExchangeTest, ARefusedValueNamesItsRecordAndFieldAndNothingIsWritten) {
    struct Case {
        const char* name;
        std::string document;
        const char* message;  // the start of the refusal
    };
    const std::string json = exported();
    const auto withProduct = [&](const char* field, nlohmann::json value) {
        auto shop = nlohmann::json::parse(json);
        shop["page"]["Title"] = "Changed first, so a partial import would show";
        shop["products"]["30"][field] = value;
        return shop.dump();
    };
    std::string csv = exported({"--format", "csv"});
    csv.replace(csv.find(",14.95,"), 7, ",\"8,95\",");
    const Case cases[] = {
        {"a quantity that is not a number", withProduct("QuantityPerUnit", "two"),
         "product 30, QuantityPerUnit: "},
        {"a field that is never entered", withProduct("RecordNo", 7), "product 30, RecordNo: "},
        {"an unknown field", withProduct("Colour", "red"), "product 30, Colour: "},
        {"a French decimal comma in a spreadsheet", csv, "row 3 (product 2), UnitPrice: "},
        {"a document that is neither", "{\"page\": ", "The JSON document cannot be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = import(c.document);
        EXPECT_EQ(run.status, cli::kExitUsage);
        EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
        EXPECT_TRUE(recordBytes() == records);
    }
}

}  // namespace
}  // namespace tarvomen::exchange
