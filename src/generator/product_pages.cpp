// One page per named product: "C:\tarvomen\N.html" with the product's sections, its product
// table, the optional order form, the Previous / Next box and the Home box.
#include "generator/generator.hpp"
#include "generator/product_sections.hpp"
#include "generator/template_text.hpp"

namespace tarvomen {

using namespace tmpl;

namespace {

using product_page::line;

// The number of named products listed on the home page: they take the page numbers 1 ... H.
int countHomePageProducts(AppState& state) {
    int count = 0;
    for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
        LoadProduct(state, r, state.GeneratorProduct);
        if (!state.GeneratorProduct.ProductName.blank() && ListedOnHomePage(state.CurrentStyle)) {
            ++count;
        }
    }
    return count;
}

void writeProductTable(AppState& state, const ProductRecord& product, const std::string& picture) {
    const StyleRecord& style = state.CurrentStyle;
    const PageRecord& page = state.Page;
    const std::string box = cat("<P><TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor),
                                " BORDER=5", BorderColours(style));
    std::string_view cell;
    if (!product.ProductImage.blank()) {
        const std::string picture2 = PublishFile(state, product.ProductImage.raw(), true);
        line(state, box, "<TR><TH><IMG ALT=", picture, " WIDTH=64 HEIGHT=64 SRC=", picture2, ">",
             "<TH><FONT FACE= ", BoxFontAttrs(style), text(product.ProductName), "</FONT>",
             "<TH><FONT FACE=", BoxFontAttrs(style), text(product.Description), "</FONT>", LF);
        cell = "<TH><FONT FACE= ";
    } else {
        line(state, box, "<TH><FONT FACE=", BoxFontAttrs(style), text(product.ProductName),
             "</FONT>", "<TH><FONT FACE=", BoxFontAttrs(style), text(product.Description),
             "</FONT>", LF);
        cell = "<TH><FONT FACE=";
    }
    if (product.QuantityPerUnit > 0) {
        line(state, cell, BoxFontAttrs(style),
             "Quantity: ", std::to_string(product.QuantityPerUnit), "</FONT>", LF);
    }
    if (product.UnitPrice.scaled > 0) {
        line(state, cell, BoxFontAttrs(style), "Price: ", text(page.CurrencySymbol),
             priceText(product.UnitPrice), text(page.CurrencyName), "</FONT>", LF);
    }
    line(state, "</TABLE>", LF);
}

// The shopping-cart form posting ID, Product, Price, CurrSymb, CurrStr and Quantity.
void writeOrderForm(AppState& state, const ProductRecord& product, int pageNo) {
    const StyleRecord& style = state.CurrentStyle;
    const PageRecord& page = state.Page;
    const auto hidden = [&](std::string_view name, std::string_view value) {
        line(state, "<INPUT TYPE=", Q, "Hidden", Q, " NAME=", Q, name, Q, " VALUE=", Q, value, Q,
             ">", LF);
    };
    line(state, "<FORM ACTION=", Q, "/scripts/shopcart.asp", Q, " METHOD=", Q, "POST", Q,
         " ENCTYPE=", Q, "application/x-www-form-urlencoded", Q, ">", LF);
    line(state, "<BR><TABLE ALIGN=", Q, "CENTER", Q, " BGCOLOR=", Q, stored(style.BoxColor), Q,
         " BORDER=5", BorderColours(style), LF);
    hidden("ID", std::to_string(pageNo));
    hidden("Product", quotedValue(text(product.ProductName)));
    hidden("Price", priceText(product.UnitPrice));
    hidden("CurrSymb", quotedValue(text(page.CurrencySymbol)));
    hidden("CurrStr", quotedValue(text(page.CurrencyName)));
    line(state, "<TR><TH><FONT FACE=", Q, text(style.BoxFont), Q, " COLOR=", Q,
         stored(style.BoxTextColor), Q, ">", "Quantity<INPUT TYPE=", Q, "TEXT", Q, " SIZE=", Q,
         "3.5", Q, " MAXLENGTH=", Q, "3", Q, " NAME=", Q, "Quantity", Q, " VALUE=", Q, "001", Q,
         ">", LF);
    line(state, "<TR><TH><INPUT TYPE=", Q, "SUBMIT", Q, " VALUE=", Q, "Add to Shopping Cart", Q,
         ">", LF);
    line(state, "<TR><TH><INPUT TYPE=", Q, "RESET", Q, " VALUE=", Q, "Reset", Q, ">", LF);
    line(state, "</FONT></TABLE></FORM>");
}

void writeNavigationBox(AppState& state) {
    const StyleRecord& style = state.CurrentStyle;
    const GeneratorState& g = state.Generator;
    std::string control;
    if (!style.ControlFile.blank()) {
        const std::string picture = PublishFile(state, style.ControlFile.raw());
        control =
            cat("<TH><IMG ALT=", picture, " ALIGN=CENTER WIDTH=64 HEIGHT=64 SRC=", picture, ">");
    }
    line(state, "<TABLE ALIGN=CENTER BGCOLOR=", stored(style.BoxColor), " BORDER=5",
         BorderColours(style), "<TR><TH><A HREF=", g.PrevPageName, ".html", ">", "Previous", "</A>",
         control, "<TH><A HREF=", g.NextPageName, ".html", ">", "Next....", "</A>",
         "<TH><FONT FACE=", Q, text(style.BoxFont), Q, " SIZE=", Q, stored(style.BoxTextSize), Q,
         "></FONT></TABLE>", LF);
}

void writeHomeBox(AppState& state) {
    const StyleRecord& style = state.CurrentStyle;
    line(state, "<TABLE ALIGN=CENTER BGCOLOR=", Q, stored(style.BoxColor), Q, " WIDTH=", Q, "120",
         Q, " BORDER = 5", BorderColours(style), "<TR><TH><A HREF=index.html>Home</A>",
         "<TH><FONT FACE=", Q, text(style.BoxFont), Q, " SIZE=", Q, stored(style.BoxTextSize), Q,
         "></FONT></TABLE>", LF);
}

void writeProductPage(AppState& state, const ProductRecord& product, int pageNo) {
    const std::string picture =
        product_page::writeUpperSections(state, product, product_page::SoundForm::ProductPage);
    writeProductTable(state, product, picture);
    if (state.ShopCartOn && ListedOnHomePage(state.CurrentStyle)) {
        writeOrderForm(state, product, pageNo);
    }
    writeNavigationBox(state);
    writeHomeBox(state);
    line(state, "</BODY></HTML>");
}

}  // namespace

void WriteProductPages(AppState& state) {
    GeneratorState& g = state.Generator;
    g.ProductPageNo = 0;
    state.Selection.PageKind = PageType::Product;
    const int homePageProducts = countHomePageProducts(state);
    int homePageNo = 0;
    int otherPageNo = 0;
    for (int r = 1; r <= SiteFiles::kProductCount; ++r) {
        LoadProduct(state, r, state.GeneratorProduct);
        const ProductRecord& product = state.GeneratorProduct;
        if (product.ProductName.blank()) continue;
        // Home-page products first, then the others, each in record order: the numbers the
        // home page and the Link3 page link to.
        const int n =
            ListedOnHomePage(state.CurrentStyle) ? ++homePageNo : homePageProducts + ++otherPageNo;
        g.ProductPageNo = n;
        g.PrevPageName = n == 1 ? "index" : std::to_string(n - 1);
        g.NextPageName =
            n == g.ListedProductCount || n == g.NamedProductCount ? "index" : std::to_string(n + 1);
        OpenPageFile(state, PageFileNo::Product, "C:\\tarvomen\\" + std::to_string(n) + ".html");
        writeProductPage(state, product, n);
        ClosePageFile(state, PageFileNo::Product);
    }
}

}  // namespace tarvomen
