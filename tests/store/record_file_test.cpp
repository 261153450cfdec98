#include "store/record_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <cerrno>
#include <csignal>

#include "platform/error.hpp"
#include "store/site_files.hpp"
#include "support/temp_drive.hpp"
#include "support/test_mount.hpp"

namespace tarvomen {
namespace {

using testing::readFile;
using testing::TempDrive;
using testing::TestMount;
using testing::writeFile;
using Access = RecordFile::Access;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

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

TEST_F(RecordFileTest, StrayBytesAreReportedAndNeverTakenIntoARecord) {
    const std::string two = std::string("\x01\0AAAA", 6) + std::string("\x02\0BBBB", 6);
    writeFile(path, two + "XYZ");
    RecordFile file;
    openFile(file);
    ASSERT_TRUE(file.warning());
    EXPECT_TRUE(
        contains(*file.warning(), "records.txt ends in 3 stray bytes after 2 whole records"))
        << *file.warning();
    EXPECT_EQ(file.read(3), "XYZ" + empty.substr(3));
    for (const int recordNo : {3, 5}) {  // the stray record itself, and past it
        EXPECT_THROW(file.write(recordNo, std::string("\x09\0NNNN", 6)), RecordFileError);
    }
    EXPECT_EQ(readFile(path), two + "XYZ");
    file.write(1, std::string("\x01\0CCCC", 6));  // the whole records stay writable
    EXPECT_EQ(readFile(path), std::string("\x01\0CCCC", 6) + two.substr(6) + "XYZ");
}

TEST_F(RecordFileTest, ReadingCreatesNothingAndChangesNoMode) {
    RecordFile missing;
    missing.open(path, "records.txt", empty, Access::ReadOnly);
    EXPECT_EQ(missing.read(1), empty);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THROW(missing.write(1, empty), RecordFileError);
    missing.close();

    writeFile(path, std::string("\x01\0AAAA", 6));
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    RecordFile file;
    file.open(path, "records.txt", empty, Access::ReadOnly);
    EXPECT_EQ(file.read(1), std::string("\x01\0AAAA", 6));
    EXPECT_THROW(file.write(1, empty), RecordFileError);
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(RecordFileTest, ReadersShareTheFileAndAWriterHasItAlone) {
    writeFile(path, empty);
    struct Case {
        Access first;
        Access second;
        bool refused;
    };
    for (const Case& c : {Case{Access::ReadOnly, Access::ReadOnly, false},
                          Case{Access::ReadWrite, Access::ReadOnly, true},
                          Case{Access::ReadOnly, Access::ReadWrite, true}}) {
        RecordFile first;
        first.open(path, "records.txt", empty, c.first);
        RecordFile second;
        if (c.refused) {
            EXPECT_THROW(second.open(path, "records.txt", empty, c.second), RecordFileError);
        } else {
            EXPECT_NO_THROW(second.open(path, "records.txt", empty, c.second));
        }
    }
}

// A save that grows the file and meets a full disk: the part it wrote is cut off again.
TEST(RecordFileFaults, AGrowingSaveOnAFullDiskLeavesTheFileAsItWas) {
    TempDrive temp;
    const TestMount disk = TestMount::tmpfs(temp / "disk", 64 * 1024);
    if (!disk.ready()) GTEST_SKIP() << disk.why();
    const std::filesystem::path path = temp / "disk" / "Qvdetail.txt";
    const std::string empty = encode(ProductRecord{});
    std::string ten;
    for (char c = 'a'; c < 'a' + 10; ++c) ten += std::string(empty.size(), c);
    writeFile(path, ten);  // ten records end 1020 bytes into a memory page
    // Take the rest of the disk.
    const int filler = ::open((temp / "disk" / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(filler, 0);
    const std::string block(4096, 'f');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    ASSERT_EQ(errno, ENOSPC);
    ::close(filler);

    for (const int recordNo : {11, 14}) {
        RecordFile file;
        file.open(path, "C:\\Program Files\\Tarvomen\\Qvdetail.txt", empty);
        try {
            file.write(recordNo, std::string(empty.size(), 'n'));
            ADD_FAILURE() << "record " << recordNo << " was written on a full disk";
        } catch (const RecordFileError& error) {
            EXPECT_TRUE(contains(error.what(), "Qvdetail.txt"));
            EXPECT_TRUE(contains(error.what(), "left as it was")) << error.what();
        }
        const std::string after = readFile(path);
        EXPECT_EQ(after.size(), ten.size()) << "record " << recordNo;
        EXPECT_TRUE(after == ten) << "record " << recordNo;
    }
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
