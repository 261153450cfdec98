#include <gtest/gtest.h>

#include "cli_runner.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::cli {
namespace {

using testing::readFile;
using testing::runCli;

class RecordCommandsTest : public ::testing::Test {
  protected:
    RecordCommandsTest() { EXPECT_EQ(runCli(drive, cli::runInit, {}).status, 0); }
    testing::TempDrive temp;
    Drive drive{temp.path()};
};

TEST_F(RecordCommandsTest, InitLaysOutTheDrive) {
    for (const char* path :
         {"Program Files/Tarvomen/Qvprofile.txt", "Program Files/Tarvomen/Qvdetail.txt",
          "Program Files/Tarvomen/Qvmp.txt", "Program Files/Tarvomen/Tarvomen",
          "Program Files/Tarvomen/qv", "Program Files/Tarvomen/TMedia", "Tarvomen"}) {
        EXPECT_TRUE(std::filesystem::exists(temp / path)) << path;
    }
}

TEST_F(RecordCommandsTest, SetThenShowAProduct) {
    const auto set = runCli(drive, cli::runSet,
                            {"product", "3", "ProductName=Café crème", "UnitPrice=12.5",
                             "QuantityPerUnit=2", "Description=" + std::string(45, 'd')});
    ASSERT_EQ(set.status, 0) << set.err;
    const std::string file = readFile(temp / "Program Files/Tarvomen/Qvdetail.txt");
    ASSERT_EQ(file.size(), 3u * 3994u);
    const std::string record = file.substr(2 * 3994, 3994);
    EXPECT_EQ(record.substr(0, 4), std::string("\x02\0\0\0", 4));  // RecordNo = N - 1
    EXPECT_EQ(record.substr(4, 10),
              "Caf\xE9 cr\xE8"
              "me");
    EXPECT_EQ(record.substr(86, 8), std::string("\x48\xE8\x01\0\0\0\0\0", 8));

    const auto show = runCli(drive, cli::runShow, {"product", "3"});
    EXPECT_NE(show.out.find("ProductName: Café crème\n"), std::string::npos);
    EXPECT_NE(show.out.find("Description: " + std::string(40, 'd') + "\n"), std::string::npos);
    EXPECT_NE(show.out.find("UnitPrice: 12.5\n"), std::string::npos);
    EXPECT_NE(show.out.find("RecordNo: 2\n"), std::string::npos);
}

TEST_F(RecordCommandsTest, SetAStyleDerivesItsTexts) {
    const auto set = runCli(drive, cli::runSet,
                            {"style", "101", "StyleIndex=0,14,2,5,7,3,2,0,1,2",
                             "BackgroundFile=BACKGD01.GIF", "MediaFolder=C:\\TMedia\\OCEAN\\"});
    ASSERT_EQ(set.status, 0) << set.err;
    const auto show = runCli(drive, cli::runShow, {"style", "101"});
    for (const char* line :
         {"StyleIndex: 0,14,2,5,7,3,2,0,1,2\n", "LinkColor: #FFFFFF\n", "BoxFont: Verdana\n",
          "TextFont: Times New Roman\n", "BoxTextSize: 3\n", "BackgroundFile: BACKGD01.GIF\n",
          "LinkToProfile: 0\n"}) {
        EXPECT_NE(show.out.find(line), std::string::npos) << line << show.out;
    }
}

TEST_F(RecordCommandsTest, RefusesBadInputWithoutWriting) {
    const std::string before = readFile(temp / "Program Files/Tarvomen/Qvdetail.txt");
    const std::vector<std::vector<std::string>> refused = {
        {"product", "31", "ProductName=x"},
        {"product", "1", "Nonsense=x"},
        {"product", "1", "ProductName=ok", "QuantityPerUnit=9e9"},
        {"product", "1", "ProductName=中文"},
        {"product", "1", "RecordNo=5"},
        {"style", "50", "SoundFile=a.wav"},
        {"style", "1", "StyleIndex=1,2,3"},
        {"style", "1", "ScreenColor=#FFFFFF"},
        {"page"},
    };
    for (const auto& args : refused) {
        const auto run = runCli(drive, cli::runSet, args);
        EXPECT_EQ(run.status, cli::kExitUsage)
            << args[0] << " " << (args.size() > 2 ? args[2] : "");
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_EQ(readFile(temp / "Program Files/Tarvomen/Qvdetail.txt"), before);
}

}  // namespace
}  // namespace tarvomen::cli
