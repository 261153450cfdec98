#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/form_detail.hpp"
#include "editors/form_link.hpp"
#include "editors/form_profile.hpp"
#include "store/style_ops.hpp"
#include "support/fakes.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::editors {

using Answer = MessageBox::Answer;

// A laid-out drive with its record files open, fake services and recorded windows.
class EditorTest : public ::testing::Test {
  protected:
    EditorTest() {
        temp.layOut();
        state.files.openAll(drive);
        FillColorText(state);
        state.LangInd = 1;
    }

    template <class Form>
    std::unique_ptr<Form> open() {
        auto form = std::make_unique<Form>(state, windows);
        form->load();
        return form;
    }

    std::string file(const char* name) {
        return testing::readFile(temp / (std::string("Program Files/Tarvomen/") + name));
    }
    std::string productFile() { return file("Qvdetail.txt"); }
    std::string styleFile() { return file("Qvmp.txt"); }
    std::string pageFile() { return file("Qvprofile.txt"); }

    testing::TempDrive temp;
    Drive drive{temp.path()};
    testing::ScriptedMessageBox messages;
    testing::MemoryClipboard clipboard;
    testing::ScriptedFileDialog dialog;
    testing::RecordingWindows windows;
    AppState state{drive, Services{&messages, nullptr, &testing::testFonts(), &clipboard, &dialog}};
};

inline const char* name(ControlRef::Kind kind) {
    switch (kind) {
        case ControlRef::Kind::None:
            return "none";
        case ControlRef::Kind::List1:
            return "List1";
        case ControlRef::Kind::List2:
            return "List2";
        case ControlRef::Kind::Box:
            return "box";
        case ControlRef::Kind::Body:
            return "RTB1";
    }
    return "?";
}

inline void PrintTo(const ControlRef& ref, std::ostream* os) {
    *os << name(ref.kind);
    if (ref.kind == ControlRef::Kind::Box) *os << " " << ref.index;
}

}  // namespace tarvomen::editors
