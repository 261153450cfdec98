#pragma once

#include <string_view>

#include "generator/generator.hpp"

namespace tarvomen::generator {

// The video section of the home page and the link pages, written to `file` in the current
// style: the style's VideoFile with `videoText`, either alone, or nothing; a box is followed by
// the ruler.
void WriteVideoSection(GenerationRun& run, PageFileNo file, std::string_view videoText);

}  // namespace tarvomen::generator
