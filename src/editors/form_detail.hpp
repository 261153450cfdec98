#pragma once

#include <optional>

#include "editors/field_list_editor.hpp"

namespace tarvomen::editors {

// `FormDetail`: the thirty product records, and per product the listing choice of its style
// record ("Link To:"), Copy Style and Kill Detail.
class FormDetail : public FieldListEditor {
  public:
    static constexpr const char* kFrame1Caption = "Link To:";
    static constexpr const char* kFrame1ToolTip =
        "Choose to link selected Details to Link3. These pages do not appear on the front page "
        "and cannot use the shopping cart.";
    static constexpr const char* kOption1Caption = "Profile";
    static constexpr const char* kOption2Caption = "Link3";
    static constexpr const char* kCopyStyleToolTip =
        "Will copy the Style of the selected Detail to ALL Details. There is no UNDO if you use "
        "this!";
    static constexpr const char* kKillDetailCaption = "Kill Detail";
    static constexpr const char* kKillDetailToolTip =
        "Will delete ALL data in a selected Detail.There is no UNDO if you use this!";
    static constexpr const char* kCopyStyleTitle = "Tarvomen COPY STYLE";
    static constexpr const char* kKillDetailQuestion = "CLEAR DETAIL (of all data)?";

    FormDetail(AppState& state, WindowManager& windows);

    void Text1Click(int box) override;
    void RTB1Click() override;
    // Option1 ("Profile", n = 1) or Option2 ("Link3", n = 2): written to the style at once.
    void OptionClick(int n);
    void Command3Click();  // Command3
    void Command4Click();  // Command4

    bool Frame1Visible = false;
    bool Option1Value = false;
    bool Option2Value = false;
    Button Command3;
    Button Command4;

  protected:
    std::string welcomeText() const override;
    std::string helpCaption(int box, Occasion occasion) const override;
    void fillLists() override;
    void loadExtras() override;
    void listClickExtras() override;
    FieldValues loadRecord(int list, int line) override;
    void enterBox(int box) override;
    void enterBody() override;
    void setRTB1() override;
    void styles() override;
    SaveResult::Outcome continueSave(bool ask) override;
    std::string unsavedChangesQuestion() const override;

  private:
    // The product of the selected list line, made `CurrentRecord`; nothing (and the user told)
    // when no line is selected, so that no record is written that the user did not choose.
    std::optional<int> selectedProduct();
    void showSaved(const SaveResult& result);
};

}  // namespace tarvomen::editors
