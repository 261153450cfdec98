#pragma once

#include <cstdint>
#include <string>

#include "store/app_state.hpp"

namespace tarvomen::shell {

// `LangInd` of the two languages that can be chosen.
inline constexpr std::int16_t kLangEnglish = 1;
inline constexpr std::int16_t kLangFrench = 200;

// text n: the user text of English id n in the chosen language, the string-table entry
// `LangInd` + n - 1 (UTF-8). English when no language has been chosen yet.
std::string text(const AppState& state, int n);

// The string-table entry of an id (1..199 English, 200..398 French); empty for an unused id.
std::string stringTableEntry(int id);

}  // namespace tarvomen::shell
