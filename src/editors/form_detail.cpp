#include "editors/form_detail.hpp"

#include "store/load_save.hpp"
#include "store/style_ops.hpp"

namespace tarvomen::editors {
namespace {

constexpr int kStartText = 16;
constexpr int kBodyHelp = 47;
constexpr int kImageBox = 4;
constexpr int kCopyStyleText = 48;
constexpr int kCopyStyleQuestion = 49;

}  // namespace

FormDetail::FormDetail(AppState& state, WindowManager& windows)
    : FieldListEditor(
          state, windows,
          Config{WindowId::FormDetail,
                 "WEB DETAIL PAGES",
                 {{40, 30}, {41, 40}, {42, 4}, {43, 10}, {44, 255}, {45, 250}, {46, 250}},
                 kImageBox,
                 7,
                 -1,
                 kBodyHelp,
                 kStartText}) {}

std::string FormDetail::welcomeText() const {
    return text(13) + text(14) + "\n" + text(15) + "\n" + text(16) + "\n";
}

std::string FormDetail::helpCaption(int box, Occasion occasion) const {
    switch (occasion) {
        case Occasion::ListClick:
            return helpText(box) + "\n Press Return\nLength " + limitText(box);
        case Occasion::BoxClick:
            return helpText(box) + "\nPress RETURN\n Length is " + limitText(box);
        case Occasion::Enter:
            break;
    }
    return helpText(box) + "\n Press RETURN\n Length is " + limitText(box);
}

void FormDetail::fillLists() {
    List1.lines = ProductListLines(state_);
    List1.selected.reset();
}

void FormDetail::loadExtras() {
    Frame1Visible = false;
    Command3 = Button{text(kCopyStyleText), false};
    Command4 = Button{kKillDetailCaption, false};
}

void FormDetail::listClickExtras() {
    Command4.visible = true;
    Command3.visible = true;
}

FieldValues FormDetail::loadRecord(int, int line) {
    state_.Selection.PageKind = PageType::Product;
    FieldValues values = LoadProduct(state_, line);
    GetMediaParm(state_);
    Option1Value = state_.CurrentStyle.LinkToProfile != 0;
    Option2Value = !Option1Value;
    Frame1Visible = true;
    return values;
}

void FormDetail::Text1Click(int box) {
    if (!boxShown(box)) return;
    startBoxClick(box);
    if (box > 0) {
        Picture1.visible = false;
        List1.visible = false;
    }
    if (box == kImageBox) getPictFile(box);
    notify();
}

void FormDetail::enterBox(int box) {
    focusEnteredBox(box);
    if (box == kImageBox) getPictFile(box);
}

void FormDetail::enterBody() {
    setRTB1();
}

void FormDetail::RTB1Click() {
    if (!RTB1.visible) return;
    List1.visible = false;
    showBodyHelp(ControlRef::body());
    notify();
}

void FormDetail::setRTB1() {
    enterRichText();
    setCommand2(kContinueText);
    showBodyHelp(ControlRef::body());
}

void FormDetail::styles() {
    FieldListEditor::styles(PageType::Product);
}

std::optional<int> FormDetail::selectedProduct() {
    if (!List1.selected) {
        tell("Click a product in the list first: no product is selected.",
             "Cliquez d'abord sur un produit de la liste : aucun produit n'est sélectionné.");
        return std::nullopt;
    }
    state_.Selection.CurrentRecord = *List1.selected + 1;
    return state_.Selection.CurrentRecord;
}

void FormDetail::showSaved(const SaveResult& result) {
    Label3.caption = result.status;
    Label3.visible = true;
    fillLists();
}

std::string FormDetail::unsavedChangesQuestion() const {
    const std::string number = std::to_string(state_.Selection.CurrentRecord);
    return saveChangesTo("product " + number, "du produit " + number);
}

SaveResult::Outcome FormDetail::continueSave(bool ask) {
    if (!selectedProduct()) return SaveResult::Outcome::Refused;
    const SaveResult result =
        SaveProduct(state_, *List1.selected, values(), text(kProductSaveQuestion), ask);
    if (refused(result)) return result.outcome;  // keep editing what was typed
    if (result.saved()) showSaved(result);
    // Back to list mode, the boxes hidden and emptied.
    Command1.visible = true;
    setCommand2(kStylesText);
    List1.visible = true;
    Label1 = Label{text(kStartText), true, ControlRef::box(0)};
    RTB1.visible = false;
    mnuEdit.visible = false;
    Picture1.visible = false;
    showBoxes(false);
    nextTab = 0;
    return result.outcome;
}

void FormDetail::OptionClick(int n) {
    if (selectedProduct()) {
        Option1Value = n == 1;
        Option2Value = n != 1;
        state_.Selection.PageKind = PageType::Product;
        GetMediaParm(state_);
        state_.CurrentStyle.LinkToProfile = static_cast<std::int16_t>(n == 1 ? -1 : 0);
        PutMediaParm(state_);
    }
    notify();
}

void FormDetail::Command3Click() {
    if (!selectedProduct()) return;
    if (!state_.services.messages ||
        !state_.services.messages->askYesNo(text(kCopyStyleQuestion), kCopyStyleTitle)) {
        return;
    }
    state_.Selection.PageKind = PageType::Product;
    CopyStyleToAllProducts(state_);
}

void FormDetail::Command4Click() {
    if (!selectedProduct()) return;
    if (!state_.services.messages ||
        !state_.services.messages->askYesNo(kKillDetailQuestion, kCopyStyleTitle)) {
        return;
    }
    const int line = *List1.selected;
    // Set only while the product is emptied: its save asks nothing, its media clean warns not.
    struct KillDetailFlag {
        bool& flag;
        explicit KillDetailFlag(bool& f) : flag(f) { flag = true; }
        ~KillDetailFlag() { flag = false; }
    } killing(state_.KillDetail);

    for (EntryBox& box : Text1) box.text.clear();
    RTB1.text.clear();
    RTB1.selStart = RTB1.selLength = 0;
    const SaveResult result = SaveProduct(state_, line, values(), text(kProductSaveQuestion));
    if (result.saved()) {
        showSaved(result);
        List1.selected = line;  // the emptied product is still the one shown
        markSaved();
    }
    state_.Selection.PageKind = PageType::Product;
    DoCleanMedia(state_);
    notify();
}

}  // namespace tarvomen::editors
