#pragma once

#include <QString>

#include <string>

namespace tarvomen::gui {

// A UTF-8 text of the models as Qt shows it.
inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace tarvomen::gui
