#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/clipboard.hpp"
#include "platform/file_dialog.hpp"
#include "platform/font_list.hpp"
#include "platform/message_box.hpp"
#include "platform/shell.hpp"
#include "platform/window_manager.hpp"

namespace tarvomen::testing {

// Records every message box and answers from a script (then with the default button).
class ScriptedMessageBox : public MessageBox {
  public:
    Answer show(const MessageBoxRequest& request) override;
    void answer(Answer next) { script_.push_back(next); }

    std::vector<MessageBoxRequest> shown;

  private:
    std::deque<Answer> script_;
};

// Records the shell hand-offs instead of starting programs.
class RecordingShell : public Shell {
  public:
    void open(const std::string& target, ShowMode mode) override {
        opened.emplace_back(target, mode);
    }
    std::vector<std::pair<std::string, ShowMode>> opened;
};

class MemoryClipboard : public Clipboard {
  public:
    std::string text() const override { return contents; }
    void setText(const std::string& text) override { contents = text; }
    std::string contents;
};

// Returns the queued answers in turn (nothing = cancelled) and records each request.
class ScriptedFileDialog : public FileDialog {
  public:
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::deque<std::optional<std::string>> answers;
    std::vector<FileDialogRequest> requests;
};

// A font list fixed for tests: "Arial", "Courier New", "Times New Roman", "Verdana".
FixedFontList& testFonts();

// Records what the models ask of the windows: every call in order, and which are shown.
class RecordingWindows : public WindowManager {
  public:
    void show(WindowId window) override {
        calls.emplace_back("show", window);
        loaded[window] = true;
        visible[window] = true;
    }
    void hide(WindowId window) override {
        calls.emplace_back("hide", window);
        visible[window] = false;
    }
    void unload(WindowId window) override {
        calls.emplace_back("unload", window);
        loaded[window] = false;
        visible[window] = false;
    }
    bool isLoaded(WindowId window) const override {
        const auto it = loaded.find(window);
        return it != loaded.end() && it->second;
    }
    bool isVisible(WindowId window) const {
        const auto it = visible.find(window);
        return it != visible.end() && it->second;
    }

    std::vector<std::pair<std::string, WindowId>> calls;
    std::map<WindowId, bool> loaded;
    std::map<WindowId, bool> visible;
};

}  // namespace tarvomen::testing
