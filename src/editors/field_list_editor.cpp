#include "editors/field_list_editor.hpp"

#include <algorithm>
#include <utility>

#include "editors/utf8_text.hpp"
#include "shell/strings.hpp"
#include "store/fixed_text.hpp"
#include "store/own_text.hpp"
#include "store/site_paths.hpp"

namespace tarvomen::editors {
namespace {

constexpr const char* kTitle = "Tarvomen";

int characters(const std::string& text) {
    return static_cast<int>(utf8::length(text));
}

std::string selectedText(const BodyBox& box) {
    return utf8::substring(box.text, static_cast<std::size_t>(box.selStart),
                           static_cast<std::size_t>(box.selLength));
}

}  // namespace

FieldListEditor::FieldListEditor(AppState& state, WindowManager& windows, Config config)
    : state_(state), windows_(windows), config_(std::move(config)) {
    for (const BoxLayout& layout : config_.boxes) Text1.push_back(EntryBox{{}, layout.limit});
}

std::string FieldListEditor::text(int id) const {
    return shell::text(state_, id);
}

std::string FieldListEditor::helpText(int box) const {
    const BoxLayout& layout = config_.boxes.at(static_cast<std::size_t>(box));
    return layout.literal ? layout.literal : text(layout.helpId);
}

std::string FieldListEditor::limitText(int box) const {
    return std::to_string(config_.boxes.at(static_cast<std::size_t>(box)).limit);
}

bool FieldListEditor::boxShown(int box) const {
    return box >= 0 && box < static_cast<int>(Text1.size()) &&
           Text1[static_cast<std::size_t>(box)].visible;
}

void FieldListEditor::tell(const std::string& english, const std::string& french) const {
    if (!state_.services.messages) return;
    state_.services.messages->inform(state_.LangInd == shell::kLangFrench ? french : english,
                                     kTitle, MessageBox::Icon::Exclamation);
}

void FieldListEditor::notify() {
    if (changed) changed();
}

std::optional<ControlRef> FieldListEditor::takeFocusRequest() {
    return std::exchange(focusRequest_, std::nullopt);
}

bool FieldListEditor::takePopupRequest() {
    return std::exchange(popupRequest_, false);
}

void FieldListEditor::FormLoad() {
    state_.drive.changeDirectory(paths::kProgramFolder);  // a failure leaves the folder as it was
    fillLists();
    showBoxes(false);
    RTB1.visible = false;
    Picture1.visible = false;
    mnuEdit.visible = false;
    RTB1.besideBox9 = false;
    Label1 = Label{text(config_.startTextId), true, ControlRef::box(0)};
    Label3.caption = welcomeText();
    Label3.visible = true;
    Label2.caption = config_.caption;
    Label2.visible = true;
    Command1 = Button{text(kExitText), true};
    setCommand2(kStylesText, false);
    loadExtras();
    notify();
}

void FieldListEditor::ListClick(int list, int line) {
    RecordList& clicked = list == 0 ? List1 : List2;
    if (line < 0 || line >= static_cast<int>(clicked.lines.size())) return;
    if (!settleUnsavedChanges()) {
        notify();  // the list shows the record still edited
        return;
    }
    clicked.selected = line;
    Label3.visible = false;
    listClickExtras();
    showBoxes(true);
    RTB1.visible = true;
    RTB1.tabStop = true;
    RTB1.text.clear();
    RTB1.selStart = RTB1.selLength = 0;
    requestFocus(ControlRef::box(0));
    showHelp(0, Occasion::ListClick);
    setCommand2(kStylesText);
    showRecord(loadRecord(list, line));
    notify();
}

void FieldListEditor::EnterKeyPress(ControlRef focused) {
    int position = config_.bodyTab + 1;  // the lists and buttons come after the body text box
    if (focused.kind == ControlRef::Kind::Box) position = focused.index;
    if (focused.kind == ControlRef::Kind::Body) position = config_.bodyTab;
    nextTab = position == config_.lastTab ? 0 : position + 1;
    if (nextTab < static_cast<int>(Text1.size())) {
        // A hidden box cannot take the focus: Enter then does nothing.
        if (!Text1[static_cast<std::size_t>(nextTab)].visible) return;
        enterBox(nextTab);
    } else {
        if (!RTB1.visible) return;
        enterBody();
    }
    notify();
}

void FieldListEditor::RTB1MouseDown(bool rightButton) {
    if (!RTB1.visible) return;
    richTextMode = true;
    if (rightButton) popupRequest_ = true;
    setRTB1();
    notify();
}

void FieldListEditor::RTB1SelChange(int start, int length) {
    const int size = characters(RTB1.text);
    RTB1.selStart = std::clamp(start, 0, size);
    RTB1.selLength = std::clamp(length, 0, size - RTB1.selStart);
    if (richTextMode) refreshMenu();
    notify();
}

void FieldListEditor::refreshMenu() {
    const bool selection = RTB1.selLength > 0;
    mnuEdit.couper = selection;
    mnuEdit.copier = selection;
    mnuEdit.coller = state_.services.clipboard && !state_.services.clipboard->text().empty();
    mnuEdit.selectionnerTout = !RTB1.text.empty();
}

void FieldListEditor::Command2Click() {
    if (command2Is(kStylesText)) {
        styles();
        notify();
    } else if (command2Is(kContinueText)) {
        continueSave(true);
        notify();
    }
}

bool FieldListEditor::Command1Click() {
    if (!settleUnsavedChanges()) {
        notify();
        return false;
    }
    windows_.show(WindowId::FormStart);
    windows_.unload(config_.window);
    return true;
}

bool FieldListEditor::settleUnsavedChanges() {
    if (!hasUnsavedChanges() || !state_.services.messages) return true;
    switch (state_.services.messages->askYesNoCancel(unsavedChangesQuestion(), kTitle)) {
        case MessageBox::Answer::Yes: {
            const bool saved = continueSave(false) == SaveResult::Outcome::Saved;
            notify();
            return saved;
        }
        case MessageBox::Answer::No:
            return true;
        default:
            return false;
    }
}

bool FieldListEditor::hasUnsavedChanges() const {
    if (!stored_) return false;
    if (RTB1.text != stored_->body) return true;
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        const std::string& loaded = i < stored_->boxes.size() ? stored_->boxes[i] : std::string();
        if (Text1[i].text != loaded) return true;
    }
    return false;
}

void FieldListEditor::offerContinue() {
    if ((Command2.visible && command2Is(kContinueText)) || !hasUnsavedChanges()) return;
    setCommand2(kContinueText);
    notify();
}

void FieldListEditor::Text1Change(int box, std::string value) {
    if (box < 0 || box >= static_cast<int>(Text1.size())) return;
    Text1[static_cast<std::size_t>(box)].text = std::move(value);
    offerContinue();
}

bool FieldListEditor::RTB1Change(std::string value) {
    if (characters(value) > BodyBox::kLimit && characters(value) > characters(RTB1.text)) {
        return false;
    }
    RTB1.text = std::move(value);
    offerContinue();
    return true;
}

std::string FieldListEditor::saveChangesTo(const std::string& english,
                                           const std::string& french) const {
    // The record's name as loaded, when it has one.
    const std::string name =
        stored_ && !stored_->boxes.empty() ? std::string(trimBlanks(stored_->boxes[0])) : "";
    const std::string englishQuestion =
        "Save the changes to " + english + (name.empty() ? "" : " \"" + name + "\"") + "?";
    const std::string frenchQuestion = "Enregistrer les modifications " + french +
                                       (name.empty() ? "" : " « " + name + " »") + " ?";
    return ownText(state_, englishQuestion.c_str(), frenchQuestion.c_str());
}

bool FieldListEditor::refused(const SaveResult& result) {
    if (result.outcome != SaveResult::Outcome::Refused) return false;
    requestFocus(result.refusedBox ? ControlRef::box(*result.refusedBox) : ControlRef::body());
    return true;
}

void FieldListEditor::markSaved() {
    if (stored_) stored_ = values();
}

void FieldListEditor::replaceSelection(const std::string& insert) {
    std::string& body = RTB1.text;
    const std::size_t from = utf8::offset(body, static_cast<std::size_t>(RTB1.selStart));
    const std::size_t to = from + utf8::offset(std::string_view(body).substr(from),
                                               static_cast<std::size_t>(RTB1.selLength));
    body.replace(from, to - from, insert);
    RTB1.selStart += characters(insert);
    RTB1.selLength = 0;
}

void FieldListEditor::MenuCouperClick() {
    if (RTB1.selLength == 0 || !state_.services.clipboard) return;
    state_.services.clipboard->setText(selectedText(RTB1));
    replaceSelection({});
    refreshMenu();
    notify();
}

void FieldListEditor::MenuCopierClick() {
    if (RTB1.selLength == 0 || !state_.services.clipboard) return;
    state_.services.clipboard->setText(selectedText(RTB1));
    refreshMenu();
    notify();
}

void FieldListEditor::MenuCollerClick() {
    if (!state_.services.clipboard) return;
    const std::string pasted = state_.services.clipboard->text();
    // The first 3000 characters of the clipboard, as many as the box has room for.
    const int room = BodyBox::kLimit - (characters(RTB1.text) - RTB1.selLength);
    const int count = std::max(0, std::min(BodyBox::kLimit, room));
    replaceSelection(utf8::substring(pasted, 0, static_cast<std::size_t>(count)));
    refreshMenu();
    notify();
}

void FieldListEditor::MenuSelectionnerToutClick() {
    RTB1.selStart = 0;
    RTB1.selLength = characters(RTB1.text);
    refreshMenu();
    notify();
}

void FieldListEditor::showHelp(int box, Occasion occasion) {
    Label1.caption = helpCaption(box, occasion);
    Label1.level = ControlRef::box(box);
}

void FieldListEditor::startBoxClick(int box) {
    mnuEdit.visible = false;
    showHelp(box, Occasion::BoxClick);
    if (box > 0) {
        richTextMode = false;
        setCommand2(kContinueText);
    }
}

void FieldListEditor::focusEnteredBox(int box) {
    setCommand2(kContinueText);
    showHelp(box, Occasion::Enter);
    Label3.visible = false;
    List1.visible = false;
    Text1[static_cast<std::size_t>(box)].enabled = true;
    requestFocus(ControlRef::box(box));
    mnuEdit.visible = false;
}

void FieldListEditor::showBodyHelp(ControlRef level) {
    Label1.caption = text(config_.bodyHelpId) + "\n";
    Label1.level = level;
}

void FieldListEditor::enterRichText() {
    richTextMode = true;
    mnuEdit.visible = true;
    refreshMenu();
    Picture1.visible = false;
    requestFocus(ControlRef::body());
}

void FieldListEditor::showBoxes(bool shown) {
    for (EntryBox& box : Text1) {
        box.visible = box.enabled = box.tabStop = shown;
        box.text.clear();
    }
    if (!shown) stored_.reset();  // no record is shown
}

void FieldListEditor::showRecord(const FieldValues& loaded) {
    for (std::size_t i = 0; i < Text1.size() && i < loaded.boxes.size(); ++i) {
        Text1[i].text = loaded.boxes[i];
    }
    RTB1.text = loaded.body;
    RTB1.selStart = RTB1.selLength = 0;
    // The preview: shown when the record names a picture, hidden otherwise.
    Picture1.path = loaded.picture;
    Picture1.visible = !loaded.picture.empty();
    stored_ = values();
}

FieldValues FieldListEditor::values() const {
    FieldValues result;
    for (const EntryBox& box : Text1) result.boxes.push_back(box.text);
    result.body = RTB1.text;
    return result;
}

void FieldListEditor::getPictFile(int box) {
    Drive& drive = state_.drive;
    drive.changeDirectory(paths::kMediaFolder);
    EntryBox& target = Text1[static_cast<std::size_t>(box)];
    std::string pick = target.text;
    if (state_.services.fileDialog) {
        FileDialogRequest request;
        request.title = kPictureTitle;
        request.initialFolder = drive.currentDirectory();
        request.filters = {{"GIF Images (*.gif)", "*.gif"}, {"JPG Images (*.jpg)", "*.jpg"}};
        if (auto chosen = state_.services.fileDialog->openFile(request)) {
            if (state_.services.messages) {
                state_.services.messages->inform("File to Open: " + *chosen,
                                                 drive.currentDirectory());
            }
            pick = std::move(*chosen);
        }
    }
    target.text = pick;
    if (pick.empty()) return;
    const std::string_view mediaFolder = paths::kMediaFolder;
    if (pick.compare(0, mediaFolder.size(), mediaFolder) != 0) {
        if (state_.services.messages)
            state_.services.messages->inform(kOutsideMediaMessage, kTitle);
        target.text.clear();
        return;
    }
    Picture1.path = pick;
    Picture1.visible = true;
}

void FieldListEditor::styles(PageType pageKind) {
    state_.Selection.PageKind = pageKind;
    windows_.show(WindowId::Form1);
    windows_.hide(config_.window);
}

void FieldListEditor::setCommand2(int textId, bool visible) {
    Command2 = Button{text(textId), visible};
}

}  // namespace tarvomen::editors
