#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "store/app_state.hpp"
#include "store/style_ops.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::testing {

// A laid-out drive with the record files open, the recording platform services, English texts
// and the home page selected.
class StylesFixture : public ::testing::Test {
  protected:
    StylesFixture() {
        temp.layOut();
        state.files.openAll(drive);
        FillColorText(state);
        state.LangInd = 1;
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

    TempDrive temp;
    Drive drive{temp.path()};
    ScriptedMessageBox messages;
    RecordingShell shell;
    RecordingWindows windows;
    AppState state{drive, Services{&messages, &shell, &testFonts(), nullptr, nullptr}};
};

}  // namespace tarvomen::testing
