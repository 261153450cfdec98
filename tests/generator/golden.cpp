#include "golden.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/temp_drive.hpp"

namespace tarvomen::testing {
namespace {

std::string visible(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\r') {
            out += "<CR>";
        } else if (c == '\n') {
            out += "<LF>";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

void expectMatchesGolden(std::string_view path, const std::string& actual) {
    const std::filesystem::path file = std::filesystem::path(TARVOMEN_GOLDEN_DIR) / path;
    if (const char* update = std::getenv("TARVOMEN_UPDATE_GOLDEN"); update && *update == '1') {
        writeFile(file, actual);
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(file)) << "no golden file " << file;
    const std::string expected = readFile(file);
    if (expected == actual) return;
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    const std::size_t from = at > 60 ? at - 60 : 0;
    const auto around = [from](const std::string& text) {
        return visible(std::string_view(text).substr(std::min(from, text.size()), 120));
    };
    ADD_FAILURE() << path << " differs at byte " << at << " (sizes " << expected.size() << " and "
                  << actual.size() << ")\n  expected: ..." << around(expected)
                  << "\n  actual:   ..." << around(actual);
}

}  // namespace tarvomen::testing
