#pragma once

#include <string>
#include <string_view>

namespace tarvomen::testing {

// Compares `actual` byte for byte with the golden file tests/generator/golden/<path>. With
// TARVOMEN_UPDATE_GOLDEN=1 in the environment the golden file is written instead (review
// every byte of it before committing). On a difference the first differing line is shown with
// its CR and LF bytes visible.
void expectMatchesGolden(std::string_view path, const std::string& actual);

}  // namespace tarvomen::testing
