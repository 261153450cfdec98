#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tarvomen {

// The bytes of a file, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& path);

}  // namespace tarvomen
