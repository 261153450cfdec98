#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/temp_drive.hpp"

namespace tarvomen::testing {

// A laid-out drive with the record files open, the recording platform services, English texts
// and the home page selected.
class StylesFixture : public ::testing::Test, public DriveFixture {
  protected:
    StylesFixture() {
        openInEnglish();
        state.Selection.PageKind = PageType::Home;
        state.Selection.CurrentRecord = 1;
    }

    // Creates a folder in the media folder holding the named files (tiny contents).
    void mediaFolder(const std::string& folder, std::initializer_list<std::string> files) {
        std::filesystem::create_directories(temp / ("Program Files/Tarvomen/TMedia/" + folder));
        for (const auto& file : files) {
            writeFile(temp / ("Program Files/Tarvomen/TMedia/" + folder + "/" + file), file);
        }
    }
    StyleRecord storedStyle(int recordNo) const { return state.files.readStyle(recordNo); }
};

}  // namespace tarvomen::testing
