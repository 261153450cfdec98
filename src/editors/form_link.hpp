#pragma once

#include "editors/field_list_editor.hpp"

namespace tarvomen::editors {

// `FormLink`: the two link pages, kept in the page record (`Link2`/`Link3` and element 0 or 1
// of the link arrays). `List1` shows link page 1, `List2` link page 2.
class FormLink : public FieldListEditor {
  public:
    static constexpr const char* kLabel5Caption = "PROFILE LINK2 ";
    static constexpr const char* kLabel6Caption = "PROFILE LINK3";
    static constexpr const char* kVideoHelp =
        "Enter up to 400 characters of text to go with a Video";
    static constexpr const char* kBodyEnterHelp = "Enter up to 3000 characters of text.";

    FormLink(AppState& state, WindowManager& windows);

    void Text1Click(int box) override;
    void RTB1Click() override;

    bool Label5Visible = true;
    bool Label6Visible = true;

  protected:
    std::string welcomeText() const override;
    std::string helpCaption(int box, Occasion occasion) const override;
    void fillLists() override;
    void loadExtras() override;
    FieldValues loadRecord(int list, int line) override;
    void enterBox(int box) override;
    void enterBody() override;
    void setRTB1() override;
    void styles() override;
    SaveResult::Outcome continueSave(bool ask) override;
    std::string unsavedChangesQuestion() const override;

  private:
    void showLists(bool shown);
};

}  // namespace tarvomen::editors
