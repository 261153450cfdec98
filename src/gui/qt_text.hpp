#pragma once

#include <QString>

#include <string>

#include "store/own_text.hpp"

namespace tarvomen::gui {

// A UTF-8 text of the models as Qt shows it.
inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// One of the program's own texts (labels, names for assistive technology) in the chosen
// language.
inline QString own(const AppState& state, const char* english, const char* french) {
    return QString::fromUtf8(ownText(state, english, french));
}

}  // namespace tarvomen::gui
