#pragma once

#include "editors/field_list_editor.hpp"

namespace tarvomen::editors {

// `FormProfile`: the page record (the home page, the site's coordinates, the home-page links,
// the currency and the body text).
class FormProfile : public FieldListEditor {
  public:
    static constexpr const char* kSymbolHelp = "Either $ or E...";
    static constexpr const char* kCurrencyHelp = "Either U.S. or Euro...";

    FormProfile(AppState& state, WindowManager& windows);

    void Text1Click(int box) override;
    void RTB1Click() override;

  protected:
    std::string welcomeText() const override;
    std::string helpCaption(int box, Occasion occasion) const override;
    void fillLists() override;
    FieldValues loadRecord(int list, int line) override;
    void enterBox(int box) override;
    void enterBody() override;
    void setRTB1() override;
    void styles() override;
    SaveResult::Outcome continueSave(bool ask) override;
    std::string unsavedChangesQuestion() const override;

  private:
    // The currency symbol (trimmed) when box 17 was loaded or last clicked.
    std::string symbolSeen_;
};

}  // namespace tarvomen::editors
