#pragma once

#include "store/app_state.hpp"

namespace tarvomen {

// The program's own texts (refusals, questions, progress and labels that the string table does not
// hold) are written where they are used, in English and in French; this picks the chosen one.
// UTF-8. English until a language has been chosen.
inline const char* ownText(const AppState& state, const char* english, const char* french) {
    constexpr std::int16_t kFrench = 200;  // `LangInd` of French
    return state.LangInd == kFrench ? french : english;
}

}  // namespace tarvomen
