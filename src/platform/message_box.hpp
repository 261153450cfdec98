#pragma once

#include <string>

namespace tarvomen {

// A modal message box, as the windows of the program show them: title, text (UTF-8), the
// buttons offered, an icon and the default button. Tests stand in with a scripted answerer.
struct MessageBoxRequest {
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question, Exclamation, Critical };
    enum class Answer { Ok, Yes, No, Cancel };

    std::string text;
    std::string title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultButton = Answer::Ok;
};

class MessageBox {
  public:
    using Buttons = MessageBoxRequest::Buttons;
    using Icon = MessageBoxRequest::Icon;
    using Answer = MessageBoxRequest::Answer;

    virtual ~MessageBox() = default;
    virtual Answer show(const MessageBoxRequest& request) = 0;

    // An OK box.
    void inform(const std::string& text, const std::string& title, Icon icon = Icon::None) {
        show({text, title, Buttons::Ok, icon, Answer::Ok});
    }
    // A Yes/No question with No as the default button; true for Yes.
    bool askYesNo(const std::string& text, const std::string& title, Icon icon = Icon::Question) {
        return show({text, title, Buttons::YesNo, icon, Answer::No}) == Answer::Yes;
    }
    // A Yes/No/Cancel question with Cancel, which changes nothing, as the default button.
    Answer askYesNoCancel(const std::string& text, const std::string& title,
                          Icon icon = Icon::Question) {
        return show({text, title, Buttons::YesNoCancel, icon, Answer::Cancel});
    }
};

}  // namespace tarvomen
