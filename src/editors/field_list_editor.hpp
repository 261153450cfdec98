#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_manager.hpp"
#include "store/app_state.hpp"
#include "store/load_save.hpp"

namespace tarvomen::editors {

// A control of an editor form, as the handlers name it: a record list, entry box `index`, or
// the body text box `RTB1`.
struct ControlRef {
    enum class Kind { None, List1, List2, Box, Body };
    Kind kind = Kind::None;
    int index = 0;

    static ControlRef box(int i) { return {Kind::Box, i}; }
    static ControlRef body() { return {Kind::Body, 0}; }
    friend bool operator==(const ControlRef&, const ControlRef&) = default;
};

struct EntryBox {
    std::string text;  // UTF-8
    int limit = 0;     // entry limit in characters
    bool visible = false;
    bool enabled = false;
    bool tabStop = false;
};

struct RecordList {
    std::vector<std::string> lines;
    std::optional<int> selected;
    bool visible = true;
};

struct BodyBox {
    static constexpr int kLimit = 3000;
    std::string text;  // UTF-8, plain text
    int selStart = 0;  // in characters
    int selLength = 0;
    bool visible = false;
    bool tabStop = false;
    // Moved beside box 9 (the profile editor while the body is edited), else at its design place.
    bool besideBox9 = false;
};

struct Label {
    std::string caption;
    bool visible = true;
    ControlRef level = ControlRef::box(0);  // the control it stands level with
};

struct Button {
    std::string caption;
    bool visible = true;
};

struct EditMenu {
    bool visible = false;
    bool couper = false;
    bool copier = false;
    bool coller = false;
    bool selectionnerTout = false;
};

struct Picture {
    std::string path;  // Windows path of the picture shown
    bool visible = false;
};

// The field-list editing that the three record editors share: the record list, a column of
// entry boxes with their help captions, the body text box with its edit menu, the picture
// picker and the Styles/Continue button. Each editor is this model plus its own boxes, texts and
// departures. The public members are the state the view shows; the view reports the user's
// actions through the handlers and shows the state again when `changed` is called.
class FieldListEditor {
  public:
    // When a help caption is shown: a list line clicked, a box clicked, a box entered with Enter.
    enum class Occasion { ListClick, BoxClick, Enter };

    static constexpr const char* kPictureTitle =
        "Tarvomen - Select a GIF or JPG Image for product DETAIL!";
    static constexpr const char* kOutsideMediaMessage =
        "Please Select from within C:\\Program Files\\TMedia\\ OR place your media there.";

    virtual ~FieldListEditor() = default;
    FieldListEditor(const FieldListEditor&) = delete;
    FieldListEditor& operator=(const FieldListEditor&) = delete;

    WindowId window() const { return config_.window; }
    const char* caption() const { return config_.caption; }
    int imageBox() const { return config_.imageBox; }
    bool hasSecondList() const { return config_.window == WindowId::FormLink; }
    // The help text of a box (its string-table text, or its literal), without the length.
    std::string helpText(int box) const;
    // The help caption a box or the body text box shows when it is clicked (for a view that
    // shows the help of the control reached with Tab).
    std::string clickHelp(ControlRef control) const {
        if (control.kind == ControlRef::Kind::Body) return text(config_.bodyHelpId) + "\n";
        return helpCaption(control.index, Occasion::BoxClick);
    }

    // Event handlers.
    void FormLoad();
    void ListClick(int list, int line);  // list 0 = List1, 1 = List2
    virtual void Text1Click(int box) = 0;
    // The Enter key while `focused` has the focus; the key itself is always discarded.
    void EnterKeyPress(ControlRef focused);
    // A click into the body text box; a mouse button pressed in it.
    virtual void RTB1Click() = 0;
    void RTB1MouseDown(bool rightButton);
    void RTB1SelChange(int start, int length);
    void Command2Click();
    // Exit (Command1), the window's close box or Escape. When a box differs from the record as
    // loaded, first asks "Save the changes to ...?": Yes saves as "Continue" does without its
    // question, No drops the typing, Cancel stays. True when the editor closed (the start window
    // is shown again); false when it stays open (Cancel, or a save that was refused).
    bool Command1Click();

    // Typing in the boxes. A body longer than its limit is refused (false). "Continue" is
    // offered as soon as a box differs from the record as loaded.
    void Text1Change(int box, std::string text);
    bool RTB1Change(std::string text);

    // True when a box or the body text differs from the record as loaded or last saved.
    bool hasUnsavedChanges() const;

    // The edit menu of the body text box.
    void MenuCouperClick();
    void MenuCopierClick();
    void MenuCollerClick();
    void MenuSelectionnerToutClick();

    // The view takes these requests once: the control to focus, the edit menu to pop up.
    std::optional<ControlRef> takeFocusRequest();
    bool takePopupRequest();

    std::vector<EntryBox> Text1;
    RecordList List1;
    RecordList List2;  // the link editor only
    BodyBox RTB1;
    Label Label1;  // help caption
    Label Label2;  // banner
    Label Label3;  // welcome text, then the status line
    Picture Picture1;
    Button Command1;
    Button Command2;
    EditMenu mnuEdit;
    bool richTextMode = false;
    int nextTab = 0;

    std::function<void()> changed;

  protected:
    // Ids of the captions of Command1 and Command2.
    static constexpr int kExitText = 50;
    static constexpr int kStylesText = 51;
    static constexpr int kContinueText = 52;

    struct BoxLayout {
        int helpId;  // 0: `literal` is the help
        int limit;
        const char* literal = nullptr;
    };
    struct Config {
        WindowId window;
        const char* caption;
        std::vector<BoxLayout> boxes;
        int imageBox;
        int bodyTab;      // tab position of RTB1
        int lastTab;      // Enter wraps to 0 after this position; -1: never
        int bodyHelpId;   // help of the body text box
        int startTextId;  // the "start by clicking" text
    };

    FieldListEditor(AppState& state, WindowManager& windows, Config config);

    // Each form's parts of the handlers.
    virtual std::string welcomeText() const = 0;
    virtual std::string helpCaption(int box, Occasion occasion) const = 0;
    virtual void fillLists() = 0;
    virtual void loadExtras() {}
    virtual void listClickExtras() {}
    virtual FieldValues loadRecord(int list, int line) = 0;
    virtual void enterBox(int box) = 0;
    virtual void enterBody() = 0;
    virtual void setRTB1() = 0;
    virtual void styles() = 0;
    // "Continue": saves (asking first when `ask`) and returns to list mode unless the save was
    // refused.
    virtual SaveResult::Outcome continueSave(bool ask) = 0;
    // The question before unsaved typing is left: "Save the changes to ...?".
    virtual std::string unsavedChangesQuestion() const = 0;

    std::string text(int id) const;
    // The entry limit of a box as text.
    std::string limitText(int box) const;
    // True for a box that exists and is shown (only such a box can be clicked).
    bool boxShown(int box) const;
    // Says `english` (or `french` when French was chosen) in an OK box titled "Tarvomen".
    void tell(const std::string& english, const std::string& french) const;
    // "Save the changes to " + `english` + the name the record was loaded with + "?", or the
    // French form with `french` ("du produit 3").
    std::string saveChangesTo(const std::string& english, const std::string& french) const;
    // After a save: true when it was refused, with the focus on the refused box.
    bool refused(const SaveResult& result);
    // The boxes as they are now count as the record's stored values.
    void markSaved();
    void notify();
    void requestFocus(ControlRef control) { focusRequest_ = control; }

    // Help caption of box `box` level with it.
    void showHelp(int box, Occasion occasion);
    // What every box click does: no edit menu, the box's help level with it; for a box other
    // than box 0 rich-text mode ends and Command2 becomes "Continue".
    void startBoxClick(int box);
    // Enter into a box, as the profile and product editors do it: "Continue", the box's help,
    // no welcome label and no record list, the box enabled and focused, no edit menu.
    void focusEnteredBox(int box);
    // The body text box's help (its help text and a line feed) level with `level`.
    void showBodyHelp(ControlRef level);
    // The common part of `SetRTB1`: rich-text mode, the edit menu, no preview, focus in RTB1.
    void enterRichText();
    void refreshMenu();
    // Shows, enables and empties every box and puts it in the tab order (or the reverse).
    void showBoxes(bool shown);
    void showRecord(const FieldValues& values);
    FieldValues values() const;
    void getPictFile(int box);
    void styles(PageType pageKind);
    void setCommand2(int textId, bool visible = true);
    bool command2Is(int textId) const { return Command2.caption == text(textId); }

    AppState& state_;
    WindowManager& windows_;
    const Config config_;

  private:
    void replaceSelection(const std::string& insert);
    void offerContinue();
    // Before leaving the shown record: true to go on, false to stay (see Command1Click).
    bool settleUnsavedChanges();

    // The record as loaded or last saved; nothing while no record is shown.
    std::optional<FieldValues> stored_;

    std::optional<ControlRef> focusRequest_;
    bool popupRequest_ = false;
};

}  // namespace tarvomen::editors
