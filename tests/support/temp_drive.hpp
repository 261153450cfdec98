#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/drive.hpp"
#include "store/app_state.hpp"
#include "support/fakes.hpp"

namespace tarvomen::testing {

// A fresh drive folder under the system's temporary folder, removed when the test ends.
class TempDrive {
  public:
    TempDrive();
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Host path of a path relative to the drive folder ("Program Files/Tarvomen/Qvmp.txt").
    std::filesystem::path operator/(std::string_view relative) const { return path_ / relative; }

    // Lays out the program folder, its "Tarvomen", "qv" and "TMedia" folders and the site folder.
    void layOut() const;

  private:
    std::filesystem::path path_;
};

// The model tests' drive: a temporary drive folder, the recording platform services and the
// program's state over them, every service wired. Fixtures of the window models and the store
// derive from it beside ::testing::Test and lay the drive out as far as their tests need.
class DriveFixture {
  protected:
    // Lays out the program and site folders (TempDrive::layOut).
    void layOut() { temp.layOut(); }
    // Lays the drive out and opens the three record files.
    void openRecords();
    // Opens the record files with the colour table filled and English chosen, as after the
    // start window's language choice.
    void openInEnglish();

    // The host path of a file of the program folder ("Qvmp.txt").
    std::filesystem::path programFile(std::string_view name) const;

    TempDrive temp;
    Drive drive{temp.path()};
    ScriptedMessageBox messages;
    RecordingShell shell;
    MemoryClipboard clipboard;
    ScriptedFileDialog dialog;
    RecordingWindows windows;
    AppState state{drive, Services{&messages, &shell, &testFonts(), &clipboard, &dialog}};
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tarvomen::testing
