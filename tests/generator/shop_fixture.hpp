#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/drive.hpp"
#include "store/app_state.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::testing {

// A drive with the record files open and fake services, in which tests lay out a shop.
class Shop {
  public:
    Shop();

    // Writes a media file whose bytes are its own Windows path, so that a copy shows where it
    // came from.
    void addMedia(std::string_view windowsPath);
    void writePage(const PageRecord& page);
    void writeProduct(int record, const ProductRecord& product);
    void writeStyle(int record, const StyleRecord& style);

    // Loads the page record into memory and selects the home page, as the profile editor does
    // before the pickers run the generate command.
    void selectHomePage();

    // Bytes of a file of the drive ("Tarvomen/index.html").
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;
    // "name: bytes" for every file of the Data folder, in name order, one a line.
    std::string dataListing() const;
    // Names of the files and folders of the site folder, sorted.
    std::vector<std::string> siteEntries() const;
    // Every file and folder under the site folder, by path relative to it, with its bytes
    // ("<folder>" for a folder).
    std::map<std::string, std::string> siteTree() const;
    // Names of the entries of the drive folder, sorted.
    std::vector<std::string> driveEntries() const;

    TempDrive temp;
    Drive drive;
    ScriptedMessageBox messages;
    RecordingShell shell;
    AppState state;
};

// Records for fixtures.
ProductRecord product(std::string_view name, std::string_view description = "",
                      std::int16_t quantity = 0, std::int64_t scaledPrice = 0,
                      std::string_view image = "");
// A style with the given colours by position (ScreenColor, LinkColor, ActiveLinkColor, BoxColor,
// BoxTextColor, TextColor), fonts Arial (box) and Verdana (text), sizes 3 and 2, no media.
StyleRecord style(bool listedOnHomePage = true);
// The same with all seven media of the theme folder THEME01.
StyleRecord themeStyle(bool listedOnHomePage = true);

inline constexpr const char* kTheme = "C:\\Program Files\\Tarvomen\\TMedia\\THEME01\\";
// Adds the seven files of THEME01 to the drive.
void addTheme(Shop& shop);

}  // namespace tarvomen::testing
