#pragma once

#include <filesystem>
#include <string>

#include "shell/form_start.hpp"
#include "store/app_state.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::testing {

// A laid-out drive, the recording platform services and a loaded start window.
class ShellFixture : public ::testing::Test {
  protected:
    ShellFixture() {
        temp.layOut();
        form.load();
    }

    std::filesystem::path programFile(const std::string& name) const {
        return temp / ("Program Files/Tarvomen/" + name);
    }
    // Chooses a language and expects the main menu.
    void chooseLanguage(int button) {
        form.clickCommand(button);
        ASSERT_EQ(form.mode(), FormStart::Mode::MainMenu);
    }

    TempDrive temp;
    Drive drive{temp.path()};
    ScriptedMessageBox messages;
    RecordingShell shell;
    RecordingWindows windows;
    AppState state{drive, Services{&messages, &shell, &testFonts(), nullptr, nullptr}};
    FormStart form{state, windows};
};

}  // namespace tarvomen::testing
