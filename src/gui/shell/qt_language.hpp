#pragma once

#include <cstdint>

namespace tarvomen::gui {

// Makes Qt's own texts (the buttons of message boxes, the file dialog) follow the language
// chosen at start: French loads Qt's French translations, once. Without them installed Qt
// stays in English.
void followLanguage(std::int16_t LangInd);

}  // namespace tarvomen::gui
