#include "editors/form_profile.hpp"

#include "store/fixed_text.hpp"
#include "store/load_save.hpp"

namespace tarvomen::editors {
namespace {

constexpr int kStartText = 12;
constexpr int kBodyHelp = 47;
constexpr int kImageBox = 3;
constexpr int kSymbolBox = 17;
constexpr int kCurrencyBox = 18;

}  // namespace

FormProfile::FormProfile(AppState& state, WindowManager& windows)
    : FieldListEditor(state, windows,
                      Config{WindowId::FormProfile,
                             "WEB SITE PROFILES",
                             {{20, 50},
                              {21, 40},
                              {22, 50},
                              {23, 255},
                              {24, 40},
                              {25, 20},
                              {26, 24},
                              {27, 22},
                              {28, 22},
                              {29, 40},
                              {30, 40},
                              {31, 40},
                              {32, 40},
                              {33, 40},
                              {34, 40},
                              {35, 250},
                              {36, 250},
                              {0, 3, kSymbolHelp},
                              {0, 20, kCurrencyHelp}},
                             kImageBox,
                             19,
                             -1,
                             kBodyHelp,
                             kStartText}) {}

std::string FormProfile::welcomeText() const {
    std::string welcome;
    for (int id = 9; id <= 12; ++id) welcome += text(id) + "\n";
    return welcome;
}

std::string FormProfile::helpCaption(int box, Occasion) const {
    // The currency boxes show their literal help in full, without the length.
    if (box == kSymbolBox || box == kCurrencyBox) return helpText(box);
    return helpText(box) + "\n Length is " + limitText(box);
}

void FormProfile::fillLists() {
    List1.lines = PageListLines(state_);
    List1.selected.reset();
}

FieldValues FormProfile::loadRecord(int, int line) {
    FieldValues values = LoadPage(state_, line);
    symbolSeen_ = std::string(trimBlanks(values.boxes[kSymbolBox]));
    return values;
}

void FormProfile::Text1Click(int box) {
    if (!boxShown(box)) return;
    startBoxClick(box);
    if (box > 0) {
        List1.visible = false;
        Picture1.visible = false;
        Label3.visible = false;
    }
    if (box == kImageBox) getPictFile(box);
    Picture1.visible = box <= kImageBox;
    if (box == kSymbolBox) {
        // A symbol typed since the box was last looked at brings its name: "$" goes with "U.S.",
        // "E" with "Euro". The click itself changes nothing: a loaded symbol (blank-padded as
        // stored) and any other symbol keep their name.
        const std::string symbol(trimBlanks(Text1[kSymbolBox].text));
        if (symbol != symbolSeen_ && symbol == "$") Text1[kCurrencyBox].text = "U.S.";
        if (symbol != symbolSeen_ && symbol == "E") Text1[kCurrencyBox].text = "Euro";
        symbolSeen_ = symbol;
    }
    RTB1.besideBox9 = false;
    Label1.level = ControlRef::box(box);
    notify();
}

void FormProfile::enterBox(int box) {
    focusEnteredBox(box);
    if (box == kImageBox) getPictFile(box);
    Picture1.visible = box <= kImageBox;
}

void FormProfile::enterBody() {
    showBodyHelp(ControlRef::box(6));
    setRTB1();
}

void FormProfile::RTB1Click() {
    if (!RTB1.visible) return;
    setCommand2(kContinueText);
    showBodyHelp(ControlRef::box(6));
    notify();
}

void FormProfile::setRTB1() {
    enterRichText();
    List1.visible = false;
    RTB1.besideBox9 = true;
}

void FormProfile::styles() {
    FieldListEditor::styles(PageType::Home);
}

std::string FormProfile::unsavedChangesQuestion() const {
    return saveChangesTo("the profile", "du profil");
}

SaveResult::Outcome FormProfile::continueSave(bool ask) {
    const SaveResult result = SavePage(state_, values(), text(kPageSaveQuestion), ask);
    if (refused(result)) return result.outcome;  // keep editing what was typed
    if (result.saved()) {
        Label3.caption = result.status;
        Label3.visible = true;
        fillLists();
        markSaved();
    }
    // Back to list mode; the boxes keep their contents.
    Command1.visible = true;
    setCommand2(kStylesText);
    List1.visible = true;
    Picture1.visible = true;
    Label1 = Label{text(kStartText), true, ControlRef::box(0)};
    RTB1.besideBox9 = false;
    nextTab = 0;
    return result.outcome;
}

}  // namespace tarvomen::editors
