#include "store/record_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/error.hpp"
#include "store/site_files.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen {
namespace {

using testing::readFile;
using testing::TempDrive;
using testing::writeFile;

class RecordFileTest : public ::testing::Test {
  protected:
    TempDrive temp;
    std::filesystem::path path = temp / "records.txt";
    const std::string empty = std::string("\0\0", 2) + "    ";  // a number and a text field

    void openFile(RecordFile& file) { file.open(path, "records.txt", empty); }
};

TEST_F(RecordFileTest, ReadsEmptyRecordsPastTheEndAndCompletesAShortOne) {
    writeFile(path, std::string("\x01\0AB", 4));
    RecordFile file;
    openFile(file);
    EXPECT_EQ(file.read(1), std::string("\x01\0AB  ", 6));
    EXPECT_EQ(file.read(7), empty);
}

TEST_F(RecordFileTest, WritingPastTheEndFillsTheGapWithEmptyRecords) {
    writeFile(path, std::string("\x01\0ABCD", 6));
    RecordFile file;
    openFile(file);
    file.write(3, std::string("\x03\0CCCC", 6));
    EXPECT_EQ(readFile(path), std::string("\x01\0ABCD", 6) + empty + std::string("\x03\0CCCC", 6));
    file.write(2, std::string("\x02\0DDDD", 6));
    EXPECT_EQ(file.read(2), std::string("\x02\0DDDD", 6));
    EXPECT_EQ(readFile(path).size(), 18u);
}

TEST_F(RecordFileTest, IsCreatedOwnerOnly) {
    RecordFile file;
    openFile(file);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RecordFileTest, ASecondProgramIsRefused) {
    RecordFile first;
    openFile(first);
    const pid_t child = fork();
    if (child == 0) {
        RecordFile second;
        try {
            second.open(path, "records.txt", empty);
        } catch (const Error& error) {
            _exit(std::string(error.what()).find("in use") != std::string::npos ? 3 : 4);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    first.close();
    RecordFile again;
    EXPECT_NO_THROW(openFile(again));
}

TEST_F(RecordFileTest, AWrittenRecordSurvivesTheProgramBeingKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        RecordFile file;
        file.open(path, "records.txt", empty);
        file.write(2, std::string("\x07\0KILL", 6));
        (void)!write(ready[1], "x", 1);
        pause();
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    RecordFile file;
    openFile(file);
    EXPECT_EQ(file.read(2), std::string("\x07\0KILL", 6));
    close(ready[0]);
    close(ready[1]);
}

TEST(SiteFiles, OpenTheThreeFilesOfTheDrive) {
    TempDrive temp;
    temp.layOut();
    Drive drive(temp.path());
    SiteFiles files;
    files.openAll(drive);
    ProductRecord product;
    product.ProductName = "Tea";
    files.writeProduct(3, product);
    EXPECT_EQ(readFile(temp / "Program Files/Tarvomen/Qvdetail.txt").size(), 3u * 3994u);
    EXPECT_EQ(files.readProduct(3).ProductName.trimmed(), "Tea");
    EXPECT_EQ(files.readProduct(30), ProductRecord{});
    files.closeAll();
    files.closeAll();  // closing closed files is no error
}

}  // namespace
}  // namespace tarvomen
