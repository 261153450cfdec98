// The single-product preview "C:\Tarvomen\test.html": the product page's upper sections in the
// style held in memory, a product table of its own, the control picture and a ruler.
#include "generator/generator.hpp"
#include "generator/product_sections.hpp"
#include "generator/template_text.hpp"

namespace tarvomen::generator {

using namespace tmpl;

namespace {

using product_page::line;

// Unlike the product page's, no cell of this table is closed with "</FONT>" and the price
// carries no currency.
void writePreviewTable(GenerationRun& run, const ProductRecord& product) {
    const StyleRecord& style = run.state.CurrentStyle;
    const std::string box = cat("<BR><TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor),
                                " BORDER=5", BorderColours(style));
    std::string_view cell;
    if (!product.ProductImage.blank()) {
        const std::string picture = PublishMedia(run, product.ProductImage.raw(), true);
        line(run, box, "<TR><TH><IMG WIDTH=64 HEIGHT=64 SRC=", picture, ">", "<TH><FONT FACE=", Q,
             text(style.BoxFont), Q, " COLOR=", stored(style.BoxTextColor),
             " SIZE=", stored(style.BoxTextSize), ">", text(product.ProductName),
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.Description), LF);
        cell = "<TH><FONT FACE=";
    } else {
        line(run, box, "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ProductName),
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.Description), LF);
        cell = "<TH><FONT FACE= ";
    }
    if (product.QuantityPerUnit > 0) {
        line(run, cell, BoxFontAttrs(style), "Quantity: ", std::to_string(product.QuantityPerUnit),
             LF);
    }
    if (product.UnitPrice.scaled > 0) {
        line(run, cell, BoxFontAttrs(style), "Price: ", priceText(product.UnitPrice), LF);
    }
    line(run, "</FONT></TABLE>", LF);
}

}  // namespace

void WritePreviewPage(GenerationRun& run) {
    AppState& state = run.state;
    GeneratorState& g = run.generator;
    g.LinkPagesStandalone = false;
    ClearMediaTables(run);
    PrepareSiteFolders(state.drive);
    state.MediaSeq = 0;
    g.Selection.PageKind = PageType::Product;

    state.Product = state.files.readProduct(g.Selection.CurrentRecord);
    const ProductRecord& product = state.Product;
    if (product.ProductName.blank()) {
        if (state.services.messages) {
            state.services.messages->inform(
                "This record has not been selected - Enter a Product Name!", "Tarvomen");
        }
        return;
    }

    OpenPageFile(run, PageFileNo::Product, kTestPage);
    product_page::writeUpperSections(run, product, product_page::SoundForm::Preview);
    writePreviewTable(run, product);
    if (!state.CurrentStyle.ControlFile.blank()) {
        WriteControlPicture(run, PublishMedia(run, state.CurrentStyle.ControlFile.raw()));
    }
    WriteRuler(run);
    line(run, "</BODY></HTML>");
    ClosePageFile(run, PageFileNo::Product);
    run.result.shown = GenerationResult::Shown::TestPage;
    run.result.shownPage = kTestPage;
}

}  // namespace tarvomen::generator
