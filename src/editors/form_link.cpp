#include "editors/form_link.hpp"

#include <algorithm>

#include "store/load_save.hpp"

namespace tarvomen::editors {
namespace {

constexpr int kStartText = 85;
constexpr int kBodyHelp = 84;
constexpr int kImageBox = 2;
constexpr int kVideoBox = 4;

}  // namespace

FormLink::FormLink(AppState& state, WindowManager& windows)
    : FieldListEditor(state, windows,
                      Config{WindowId::FormLink,
                             "HOME PAGE LINKS",
                             {{80, 50}, {81, 50}, {82, 255}, {83, 400}, {0, 400, kVideoHelp}},
                             kImageBox,
                             5,
                             5,
                             kBodyHelp,
                             kStartText}) {}

std::string FormLink::welcomeText() const {
    return text(87) + "\n" + text(88) + "\n";
}

std::string FormLink::helpCaption(int box, Occasion occasion) const {
    if (box == kVideoBox) return std::string(kVideoHelp) + "\n Press RETURN\n Length is  400";
    switch (occasion) {
        case Occasion::ListClick:
            return helpText(box) + "\n Press Return\n" + limitText(box);
        case Occasion::BoxClick:
            return helpText(box) + "\nPress RETURN\n Length is " + limitText(box);
        case Occasion::Enter:
            break;
    }
    return helpText(box) + "\n Press RETURN\n Length is " + limitText(box);
}

void FormLink::showLists(bool shown) {
    List1.visible = List2.visible = shown;
    Label5Visible = Label6Visible = shown;
}

void FormLink::fillLists() {
    const LinkListLines lines = FillLinkLists(state_);
    List1.lines = {lines.first};
    List2.lines = {lines.second};
    List1.selected.reset();
    List2.selected.reset();
}

void FormLink::loadExtras() {
    showLists(true);
    RTB1.text.clear();
}

FieldValues FormLink::loadRecord(int list, int line) {
    (list == 0 ? List2 : List1).selected.reset();  // one link page is worked on at a time
    return LoadLink(state_, list, line);
}

void FormLink::Text1Click(int box) {
    if (!boxShown(box)) return;
    startBoxClick(box);
    Label1.visible = true;
    showLists(false);  // with their captions, which would otherwise stand over nothing
    if (box == kImageBox) getPictFile(box);
    notify();
}

void FormLink::enterBox(int box) {
    if (nextTab > 0) {
        setCommand2(kContinueText);
        showLists(false);
    }
    if (box == kImageBox) getPictFile(box);
    showHelp(box, Occasion::Enter);
    Label3.visible = false;
    Text1[static_cast<std::size_t>(box)].enabled = true;
    requestFocus(ControlRef::box(box));
    mnuEdit.visible = false;
}

void FormLink::enterBody() {
    if (nextTab > 0) {
        setCommand2(kContinueText);
        showLists(false);
    }
    // Level with the box two places before the position (box 3 when coming from box 4).
    Label1.level = ControlRef::box(std::clamp(nextTab - 2, 0, kVideoBox));
    Label1.caption = std::string(kBodyEnterHelp) + "\n Press RETURN\n Length is 3000";
    setRTB1();
}

void FormLink::RTB1Click() {
    if (!RTB1.visible) return;
    showLists(false);
    showBodyHelp(ControlRef::body());
    notify();
}

void FormLink::setRTB1() {
    enterRichText();
    setCommand2(kContinueText);
    showBodyHelp(ControlRef::body());
}

void FormLink::styles() {
    state_.Selection.CurrentRecord = state_.Selection.LinkRecordNo;
    FieldListEditor::styles(PageType::Link);
}

std::string FormLink::unsavedChangesQuestion() const {
    const std::string page = state_.Selection.LinkNo == 2 ? "1" : "2";
    return saveChangesTo("link page " + page, "de la page de lien " + page);
}

SaveResult::Outcome FormLink::continueSave(bool ask) {
    const SaveResult result = SaveLink(state_, values(), text(kLinkSaveQuestion), ask);
    if (refused(result)) return result.outcome;  // keep editing what was typed
    if (result.saved()) {
        Label3.caption = result.status;
        Label3.visible = true;
    }
    // The link page is shown again as the file holds it; the lists keep their lines.
    showRecord(
        LoadLink(state_, state_.Selection.LinkNo == 2 ? 0 : 1, state_.Selection.LinkRecordNo - 1));
    Command1.visible = true;
    setCommand2(kStylesText);
    showLists(true);
    Label1 = Label{text(kStartText), true, ControlRef::box(0)};
    return result.outcome;
}

}  // namespace tarvomen::editors
