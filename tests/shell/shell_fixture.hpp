#pragma once

#include <gtest/gtest.h>

#include "shell/form_start.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::testing {

// A laid-out drive, the recording platform services and a loaded start window.
class ShellFixture : public ::testing::Test, public DriveFixture {
  protected:
    ShellFixture() {
        layOut();
        form.FormLoad();
    }

    // Chooses a language and expects the main menu.
    void chooseLanguage(int button) {
        form.CommandClick(button);
        ASSERT_EQ(form.mode(), shell::FormStart::Mode::MainMenu);
    }

    shell::FormStart form{state, windows};
};

}  // namespace tarvomen::testing
