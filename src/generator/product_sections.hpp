#pragma once

// The sections that a product page and the single-product preview share, in page order. They
// write through WriteLine while `PageKind` is 1 and use the current style.

#include <string>

#include "generator/generator.hpp"
#include "generator/template_text.hpp"

namespace tarvomen::generator::product_page {

// Writes one line of pieces through WriteLine.
template <class... Pieces>
void line(GenerationRun& run, const Pieces&... pieces) {
    WriteLine(run, tmpl::cat(pieces...));
}

// The sound line: the product page's plain EMBED, or the preview's 128 x 128 one.
enum class SoundForm { ProductPage, Preview };

// Items 1 to 7 of a product page: head, BODY tag, heading box, product picture and body text,
// theme picture and ImageText, sound and video, each box with its ruler. Returns the
// reference of the product picture (empty without one).
std::string writeUpperSections(GenerationRun& run, const ProductRecord& product, SoundForm sound);

}  // namespace tarvomen::generator::product_page
