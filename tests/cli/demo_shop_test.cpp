#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>

#include "cli/demo_shop.hpp"
#include "cli_runner.hpp"
#include "platform/data_dir.hpp"
#include "store/site_files.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::cli {
namespace {

namespace fs = std::filesystem;
using testing::runCli;

class DemoShopTest : public ::testing::Test {
  protected:
    // Reads the records back through a fresh set of open files.
    template <class Read>
    void withFiles(Read read) {
        SiteFiles files;
        files.openAll(drive);
        read(files);
    }

    testing::TempDrive temp;
    Drive drive{temp.path()};
};

TEST_F(DemoShopTest, InitDemoWritesAShopWhoseMediaAndPicturesAreOnTheDrive) {
    const auto run = runCli(drive, cli::runInit, {"--demo"});
    ASSERT_EQ(run.status, cli::kExitOk) << run.err;

    withFiles([&](SiteFiles& files) {
        const PageRecord page = files.readPage(1);
        EXPECT_EQ(page.Heading.trimmed(), "Driftwood & Fern Gift Shop");
        EXPECT_EQ(page.CurrencyName.trimmed(), "U.S.");
        EXPECT_EQ(page.CurrencySymbol.trimmed(), "$");
        for (const auto* field : {&page.Link1, &page.Link2, &page.Link3, &page.Link4}) {
            EXPECT_FALSE(field->blank());
        }
        for (const std::string& text :
             {page.CompanyName.trimmed(), page.CompanyAddress.trimmed(), page.City.trimmed(),
              page.PostCode.trimmed(), page.Phone.trimmed(), page.Fax.trimmed(),
              page.Email.trimmed(), page.VideoText.trimmed(), page.ImageText.trimmed(),
              page.BodyText.trimmed(), page.LinkHeading[0].trimmed(), page.LinkHeading[1].trimmed(),
              page.LinkText[0].trimmed(), page.LinkText[1].trimmed()}) {
            EXPECT_FALSE(text.empty());
        }

        const ProductRecord mug = files.readProduct(1);
        EXPECT_EQ(mug.ProductName.trimmed(), "Sea Glass Mug");
        EXPECT_EQ(mug.UnitPrice.scaled, 185000);
        EXPECT_EQ(mug.QuantityPerUnit, 1);
        EXPECT_EQ(mug.RecordNo, 0);

        // Every picture a record names is on the drive.
        std::vector<std::string> pictures = {page.LogoImage.trimmed(), page.LinkImage[0].trimmed(),
                                             page.LinkImage[1].trimmed()};
        // Named products: home-page ones first, then the Link3 ones.
        std::string listing;
        for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
            const ProductRecord product = files.readProduct(n);
            const StyleRecord style = files.readStyle(n);
            if (product.ProductName.blank()) continue;
            listing += style.LinkToProfile ? 'H' : 'L';
            EXPECT_GT(product.UnitPrice.scaled, 0) << n;
            if (!product.ProductImage.blank()) pictures.push_back(product.ProductImage.trimmed());
        }
        EXPECT_EQ(listing, "HHHHHHHHHHLLL");
        for (const auto& picture : pictures) EXPECT_TRUE(drive.exists(picture)) << picture;

        // Every medium a style names is in its folder, and colours and fonts come from the
        // positions.
        std::set<std::string> folders;
        for (int key : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 101, 112, 113}) {
            const StyleRecord style = files.readStyle(key);
            folders.insert(style.MediaFolder.trimmed());
            for (const auto* name :
                 {&style.BackgroundFile, &style.BannerFile, &style.RulerFile, &style.ImageFile,
                  &style.ControlFile, &style.SoundFile, &style.VideoFile}) {
                if (name->blank()) continue;
                const std::string path = style.MediaFolder.trimmed() + name->trimmed();
                EXPECT_TRUE(drive.exists(path)) << key << ": " << path;
            }
        }
        EXPECT_TRUE(folders.count("C:\\Program Files\\Tarvomen\\TMedia\\OCEAN\\"));
        EXPECT_TRUE(folders.count("C:\\Program Files\\Tarvomen\\TMedia\\FOREST\\"));
        EXPECT_TRUE(folders.count("C:\\Program Files\\Tarvomen\\TMedia\\MIXDEMO\\"));

        const StyleRecord home = files.readStyle(101);
        EXPECT_EQ(home.ScreenColor.trimmed(), "#FFFFFF");
        EXPECT_EQ(home.BoxTextColor.trimmed(), "#000080");
        EXPECT_EQ(home.BoxFont.trimmed(), "Times New Roman");  // first serif of the test fonts
        EXPECT_EQ(home.TextFont.trimmed(), "Verdana");
        EXPECT_EQ(home.BoxTextSize.trimmed(), "4");
        EXPECT_TRUE(home.ControlFile.blank());  // controls belong to product pages
        const StyleRecord unused = files.readStyle(20);
        EXPECT_EQ(unused.LinkToProfile, -1);
        EXPECT_TRUE(unused.MediaFolder.blank());
        EXPECT_TRUE(files.readProduct(20).ProductName.blank());
    });
}

TEST_F(DemoShopTest, InitDemoLeavesAUsersShopAloneUnlessForced) {
    const struct {
        const char* what;
        std::vector<std::string> set;
    } shops[] = {
        {"page record", {"page", "DomainName=www.mine.example"}},
        {"product only", {"product", "7", "ProductName=My own product"}},
    };
    for (const auto& shop : shops) {
        SCOPED_TRACE(shop.what);
        testing::TempDrive own;
        Drive ownDrive(own.path());
        ASSERT_EQ(runCli(ownDrive, cli::runInit, {}).status, cli::kExitOk);
        ASSERT_EQ(runCli(ownDrive, cli::runSet, shop.set).status, cli::kExitOk);
        const std::string pageBefore =
            testing::readFile(own / "Program Files/Tarvomen/Qvprofile.txt");
        const std::string productsBefore =
            testing::readFile(own / "Program Files/Tarvomen/Qvdetail.txt");

        const auto refused = runCli(ownDrive, cli::runInit, {"--demo"});
        EXPECT_EQ(refused.status, cli::kExitFailure);
        EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
        EXPECT_EQ(testing::readFile(own / "Program Files/Tarvomen/Qvprofile.txt"), pageBefore);
        EXPECT_EQ(testing::readFile(own / "Program Files/Tarvomen/Qvdetail.txt"), productsBefore);

        ASSERT_EQ(runCli(ownDrive, cli::runInit, {"--demo", "--force"}).status, cli::kExitOk);
        SiteFiles files;
        files.openAll(ownDrive);
        EXPECT_EQ(files.readPage(1).DomainName.trimmed(), "www.driftwood-fern.example");
        EXPECT_EQ(files.readProduct(7).ProductName.trimmed(), "Pine Forest Candle");
    }
}

TEST_F(DemoShopTest, InitDemoOnItsOwnDemoNeedsForceAndBadOptionsAreUsageErrors) {
    ASSERT_EQ(runCli(drive, cli::runInit, {"--demo"}).status, cli::kExitOk);
    EXPECT_EQ(runCli(drive, cli::runInit, {"--demo"}).status, cli::kExitFailure);
    EXPECT_EQ(runCli(drive, cli::runInit, {"--force"}).status, cli::kExitUsage);
    EXPECT_EQ(runCli(drive, cli::runInit, {"--demo", "--fast"}).status, cli::kExitUsage);
}

// ---------------------------------------------------------------------------------------------
// The shipped sample media

bool isShortName(const std::string& name) {
    static const std::regex shortName("[A-Za-z0-9_-]{1,8}\\.[A-Za-z0-9]{1,3}");
    return std::regex_match(name, shortName);
}

// What the first bytes of a file say it is.
std::string contentKind(const fs::path& file) {
    const std::string head = testing::readFile(file).substr(0, 12);
    if (head.rfind("GIF8", 0) == 0) return "GIF";
    if (head.rfind("\xFF\xD8\xFF", 0) == 0) return "JPG";
    if (head.rfind("RIFF", 0) == 0 && head.substr(8, 4) == "WAVE") return "WAV";
    if (head.rfind("RIFF", 0) == 0 && head.substr(8, 4) == "AVI ") return "AVI";
    if (head.rfind(std::string("\0\0\1\xBA", 4), 0) == 0) return "MPG";
    return "?";
}

std::string upperExtension(const std::string& name) {
    std::string ext = name.substr(name.rfind('.') + 1);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext;
}

TEST(SampleMedia, EveryFileFollowsTheRulesOfItsFolderKind) {
    const fs::path media = findDataFolder() / "TMedia";
    static const std::regex themePicture(
        "(BACKGD|BANNER|HRULER|IMAGES|CONTRL)(0[0-9]|1[0-3])"
        "\\.(GIF|JPG)");
    static const std::regex themeSound("SOUNDS(0[0-9]|1[0-3])\\.WAV");
    static const std::regex themeVideo("VIDEO(0[0-9]|1[0-3])\\.AVI");
    static const std::set<std::string> mixPicture = {".GIF", ".JPG", ".gif", ".jpg"};
    static const std::set<std::string> mixSound = {".WAV", ".wav"};
    static const std::set<std::string> mixVideo = {".MPG", ".mpg", ".AVI", ".avi"};

    int themes = 0;
    int mixes = 0;
    std::uintmax_t bytes = 0;
    for (const auto& folder : fs::directory_iterator(media)) {
        const std::string folderName = folder.path().filename().string();
        SCOPED_TRACE(folderName);
        ASSERT_TRUE(folder.is_directory());
        EXPECT_LE(folderName.size(), 8u);
        const bool mix = folderName.rfind("MIX", 0) == 0 || folderName.rfind("mix", 0) == 0;
        (mix ? mixes : themes) += 1;

        std::set<std::string> names;
        std::set<std::string> kinds;
        for (const auto& file : fs::directory_iterator(folder.path())) {
            const std::string name = file.path().filename().string();
            SCOPED_TRACE(name);
            ASSERT_TRUE(file.is_regular_file());
            bytes += file.file_size();
            names.insert(name);
            EXPECT_TRUE(isShortName(name));
            EXPECT_EQ(contentKind(file.path()), upperExtension(name));
            if (mix) {
                const std::string ending = name.substr(name.size() - 4);
                const bool known =
                    mixPicture.count(ending) || mixSound.count(ending) || mixVideo.count(ending);
                EXPECT_TRUE(known);
                kinds.insert(mixPicture.count(ending) ? "picture"
                             : mixSound.count(ending) ? "sound"
                                                      : "video");
            } else {
                const bool known = std::regex_match(name, themePicture) ||
                                   std::regex_match(name, themeSound) ||
                                   std::regex_match(name, themeVideo);
                EXPECT_TRUE(known);
                kinds.insert(name.substr(0, name.rfind('.') - 2) + name.substr(name.size() - 4));
            }
        }
        if (mix) {
            EXPECT_EQ(kinds, (std::set<std::string>{"picture", "sound", "video"}));
            continue;
        }
        // Each picture kind in both formats (the theme picker starts with JPG), a sound, a video.
        for (const char* prefix : {"BACKGD", "BANNER", "HRULER", "IMAGES", "CONTRL"}) {
            for (const char* ext : {".GIF", ".JPG"}) {
                EXPECT_TRUE(kinds.count(std::string(prefix) + ext)) << prefix << ext;
            }
        }
        EXPECT_TRUE(kinds.count("SOUNDS.WAV"));
        EXPECT_TRUE(kinds.count("VIDEO.AVI"));
        for (const auto& name : names) {
            if (name.rfind("SOUNDS", 0) == 0 || name.rfind("VIDEO", 0) == 0) continue;
            const std::string twin =
                name.substr(0, name.size() - 3) + (upperExtension(name) == "GIF" ? "JPG" : "GIF");
            EXPECT_TRUE(names.count(twin)) << name << " has no " << twin;
        }
    }
    EXPECT_GE(themes, 2);
    EXPECT_GE(mixes, 1);
    EXPECT_LT(bytes, 1024u * 1024u) << "sample media should stay small";
}

}  // namespace
}  // namespace tarvomen::cli
