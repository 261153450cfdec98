// The single-product preview "C:\Tarvomen\test.html": the product page's upper sections in the
// style held in memory, a product table of its own, the control picture and a ruler.
#include "generator/generation_run.hpp"
#include "generator/generator.hpp"
#include "generator/product_sections.hpp"
#include "generator/template_text.hpp"

namespace tarvomen {

using namespace tmpl;

namespace {

using product_page::line;

// Unlike the product page's, no cell of this table is closed with "</FONT>" and the price
// carries no currency.
void writePreviewTable(AppState& state, const ProductRecord& product) {
    const StyleRecord& style = state.CurrentStyle;
    const std::string box = cat("<BR><TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor),
                                " BORDER=5", BorderColours(style));
    std::string_view cell;
    if (!product.ProductImage.blank()) {
        const std::string picture = PublishFile(state, product.ProductImage.raw(), true);
        line(state, box, "<TR><TH><IMG WIDTH=64 HEIGHT=64 SRC=", picture, ">", "<TH><FONT FACE=", Q,
             text(style.BoxFont), Q, " COLOR=", stored(style.BoxTextColor),
             " SIZE=", stored(style.BoxTextSize), ">", text(product.ProductName),
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.Description), LF);
        cell = "<TH><FONT FACE=";
    } else {
        line(state, box, "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ProductName),
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.Description), LF);
        cell = "<TH><FONT FACE= ";
    }
    if (product.QuantityPerUnit > 0) {
        line(state, cell, BoxFontAttrs(style),
             "Quantity: ", std::to_string(product.QuantityPerUnit), LF);
    }
    if (product.UnitPrice.scaled > 0) {
        line(state, cell, BoxFontAttrs(style), "Price: ", priceText(product.UnitPrice), LF);
    }
    line(state, "</FONT></TABLE>", LF);
}

}  // namespace

void WritePreviewPage(AppState& state) {
    GeneratorState& g = state.Generator;
    g.LinkPagesStandalone = false;
    ClearMediaTables(state);
    PrepareSiteFolders(state);
    g.MediaSeq = 0;
    state.Selection.PageKind = PageType::Product;

    state.Product = state.files.readProduct(state.Selection.CurrentRecord);
    const ProductRecord& product = state.Product;
    if (product.ProductName.blank()) {
        if (state.services.messages) {
            state.services.messages->inform(
                "This record has not been selected - Enter a Product Name!", "Tarvomen");
        }
        return;
    }

    OpenPageFile(state, PageFileNo::Product, kTestPagePath);
    product_page::writeUpperSections(state, product, product_page::SoundForm::Preview);
    writePreviewTable(state, product);
    if (!state.CurrentStyle.ControlFile.blank()) {
        PublishFile(state, state.CurrentStyle.ControlFile.raw());
        WriteControlPicture(state);
    }
    WriteRuler(state);
    line(state, "</BODY></HTML>");
    ClosePageFile(state, PageFileNo::Product);
    if (GenerationRun* run = g.Run) {
        run->result.shown = GenerationResult::Shown::TestPage;
        run->result.shownPage = kTestPagePath;
    }
}

}  // namespace tarvomen
