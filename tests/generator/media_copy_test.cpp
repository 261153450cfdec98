// One media copy: the whole file under its name with the source's permission bits, whatever the
// umask, or nothing left behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "generator/media_copy.hpp"
#include "support/temp_drive.hpp"

namespace fs = std::filesystem;

namespace tarvomen::generator {
namespace {

using namespace tarvomen::testing;

struct ModeCase {
    mode_t source;
    mode_t umask;
    bool fresh;  // a folder of the run's own, else an existing file replaced
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << std::oct << "source " << c.source << ", umask " << c.umask
        << (c.fresh ? ", fresh" : ", replacing");
}

mode_t modeOf(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

class MediaCopyModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(MediaCopyModes, TakeTheSourcesBits) {
    const ModeCase& c = GetParam();
    TempDrive temp;
    const fs::path from = temp / "source.gif";
    const fs::path to = temp / "copy.gif";
    writeFile(from, "picture bytes");
    ASSERT_EQ(::chmod(from.c_str(), c.source), 0);
    if (!c.fresh) writeFile(to, "an older, longer file");

    const mode_t saved = ::umask(c.umask);
    CopyHints hints;
    const int error = CopyMediaFile(from, to, c.fresh, hints);
    ::umask(saved);

    EXPECT_EQ(error, 0);
    EXPECT_EQ(readFile(to), "picture bytes");
    EXPECT_EQ(modeOf(to), c.source);
    EXPECT_FALSE(fs::exists(temp / "copy.gif.part"));
}

INSTANTIATE_TEST_SUITE_P(Cases, MediaCopyModes,
                         ::testing::Values(ModeCase{0644, 022, true}, ModeCase{0644, 077, true},
                                           ModeCase{0755, 002, true}, ModeCase{0600, 0, true},
                                           ModeCase{04755, 022, true}, ModeCase{0664, 022, true},
                                           ModeCase{0644, 022, false}, ModeCase{0600, 077, false}));

// The umask is learnt once per generation: a later generation sees a changed one.
TEST(MediaCopy, EachGenerationReadsTheUmaskAgain) {
    TempDrive temp;
    const fs::path from = temp / "source.gif";
    writeFile(from, "bytes");
    ASSERT_EQ(::chmod(from.c_str(), 0644), 0);
    const mode_t saved = ::umask(022);
    CopyHints first;
    EXPECT_EQ(CopyMediaFile(from, temp / "0.gif", true, first), 0);
    ::umask(066);
    CopyHints second;
    EXPECT_EQ(CopyMediaFile(from, temp / "1.gif", true, second), 0);
    ::umask(saved);
    EXPECT_EQ(modeOf(temp / "0.gif"), 0644u);
    EXPECT_EQ(modeOf(temp / "1.gif"), 0644u);
}

// A source that is no file, or missing, leaves no copy and no temporary file.
TEST(MediaCopy, FailedCopyLeavesNothing) {
    TempDrive temp;
    fs::create_directories(temp / "folder.gif");
    for (const bool fresh : {true, false}) {
        CopyHints hints;
        EXPECT_EQ(CopyMediaFile(temp / "folder.gif", temp / "copy.gif", fresh, hints), EISDIR);
        EXPECT_EQ(CopyMediaFile(temp / "gone.gif", temp / "copy.gif", fresh, hints), ENOENT);
        EXPECT_FALSE(fs::exists(temp / "copy.gif"));
        EXPECT_FALSE(fs::exists(temp / "copy.gif.part"));
    }
}

}  // namespace
}  // namespace tarvomen::generator
