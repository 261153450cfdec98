#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/form_detail.hpp"
#include "editors/form_link.hpp"
#include "editors/form_profile.hpp"
#include "support/temp_drive.hpp"

namespace tarvomen::editors {

using Answer = MessageBox::Answer;

// A laid-out drive with its record files open, fake services and recorded windows.
class EditorTest : public ::testing::Test, public testing::DriveFixture {
  protected:
    EditorTest() { openInEnglish(); }

    template <class Form>
    std::unique_ptr<Form> open() {
        auto form = std::make_unique<Form>(state, windows);
        form->FormLoad();
        return form;
    }

    std::string file(const char* name) { return testing::readFile(programFile(name)); }
    std::string productFile() { return file("Qvdetail.txt"); }
    std::string styleFile() { return file("Qvmp.txt"); }
    std::string pageFile() { return file("Qvprofile.txt"); }
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
