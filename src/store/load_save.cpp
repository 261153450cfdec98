#include "store/load_save.hpp"

#include <string_view>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "store/numbers.hpp"

namespace tarvomen {
namespace {

constexpr const char* kTitle = "Tarvomen";

// Calls f(box, name, field) for each text box of the page editor.
template <class Record, class F>
void forPageBoxes(Record& r, F&& f) {
    f(0, "DomainName", r.DomainName);
    f(1, "Title", r.Title);
    f(2, "Heading", r.Heading);
    f(3, "LogoImage", r.LogoImage);
    f(4, "CompanyName", r.CompanyName);
    f(5, "CompanyAddress", r.CompanyAddress);
    f(6, "City", r.City);
    f(7, "PostCode", r.PostCode);
    f(8, "Phone", r.Phone);
    f(9, "Fax", r.Fax);
    f(10, "Email", r.Email);
    f(11, "Link1", r.Link1);
    f(12, "Link2", r.Link2);
    f(13, "Link3", r.Link3);
    f(14, "Link4", r.Link4);
    f(15, "VideoText", r.VideoText);
    f(16, "ImageText", r.ImageText);
    f(17, "CurrencySymbol", r.CurrencySymbol);
    f(18, "CurrencyName", r.CurrencyName);
}

// The text boxes of the product editor (boxes 2 and 3 are the numbers).
template <class Record, class F>
void forProductTextBoxes(Record& r, F&& f) {
    f(0, "ProductName", r.ProductName);
    f(1, "Description", r.Description);
    f(4, "ProductImage", r.ProductImage);
    f(5, "ImageText", r.ImageText);
    f(6, "VideoText", r.VideoText);
}

// The boxes of the link editor for link page `index` (0 or 1).
template <class Record, class F>
void forLinkBoxes(Record& r, int index, F&& f) {
    const auto k = static_cast<std::size_t>(index);
    if (index == 0) {
        f(0, "Link2", r.Link2);
    } else {
        f(0, "Link3", r.Link3);
    }
    f(1, "LinkHeading", r.LinkHeading[k]);
    f(2, "LinkImage", r.LinkImage[k]);
    f(3, "LinkImageText", r.LinkImageText[k]);
    f(4, "LinkVideoText", r.LinkVideoText[k]);
}

std::string utf8(std::string_view cp1252) {
    return cp1252::toUtf8(cp1252);
}

const std::string& boxValue(const FieldValues& values, int box) {
    static const std::string empty;
    const auto i = static_cast<std::size_t>(box);
    return i < values.boxes.size() ? values.boxes[i] : empty;
}

// Stores a box into a text field (cut to the width); throws EncodingError naming the field.
template <std::size_t N>
void store(FixedText<N>& field, std::string_view name, const std::string& utf8Value) {
    field.assign(cp1252::fromUtf8(utf8Value, "the field " + std::string(name)));
}

// The body text as stored: converted, blanks at both ends removed.
template <std::size_t N>
void storeBody(FixedText<N>& field, std::string_view name, const std::string& utf8Value) {
    const std::string converted = cp1252::fromUtf8(utf8Value, "the field " + std::string(name));
    field.assign(trimBlanks(converted));
}

// Converts the boxes with `convert` (a record copy is filled), then asks. A value that cannot
// be stored is told to the user and refuses the save before anything is asked or written.
template <class Convert>
SaveResult::Outcome convertAndAsk(AppState& state, Convert&& convert, const std::string& question,
                                  bool ask) {
    try {
        convert();
    } catch (const Error& refusal) {
        if (state.services.messages) {
            state.services.messages->inform(refusal.what(), kTitle, MessageBox::Icon::Exclamation);
        }
        return SaveResult::Outcome::Refused;
    }
    if (ask && !(state.services.messages && state.services.messages->askYesNo(question, kTitle))) {
        return SaveResult::Outcome::Declined;
    }
    return SaveResult::Outcome::Saved;
}

SaveResult saved(std::string_view what, std::string_view cp1252Name) {
    return {SaveResult::Outcome::Saved,
            std::string(what) + utf8(trimBlanks(cp1252Name)) + " Updated o.k.!"};
}

}  // namespace

std::vector<std::string> PageListLines(AppState& state) {
    const PageRecord record = state.files.readPage(1);
    state.ListProfileSwitch = 0;
    return {"1" + utf8(record.DomainName.raw())};
}

std::vector<std::string> ProductListLines(AppState& state) {
    std::vector<std::string> lines;
    for (int n = 1; n <= SiteFiles::kProductCount; ++n) {
        lines.push_back(std::to_string(n) + utf8(state.files.readProduct(n).ProductName.raw()));
    }
    return lines;
}

LinkListLines FillLinkLists(AppState& state) {
    state.LinkPage = state.files.readPage(1);
    const PageRecord& page = state.LinkPage;
    const std::string site = "1" + utf8(page.DomainName.trimmed()) + "-";
    state.LinkNo = 0;
    return {site + utf8(page.Link2.trimmed()), site + utf8(page.Link3.trimmed())};
}

FieldValues LoadPage(AppState& state, int line) {
    state.CurrentRecord = line + 1;
    state.Page = state.files.readPage(state.CurrentRecord);
    FieldValues values;
    values.boxes.resize(kPageBoxCount);
    forPageBoxes(state.Page, [&](int box, std::string_view, const auto& field) {
        // The currency boxes show the stored value, blank padding included.
        values.boxes[static_cast<std::size_t>(box)] =
            box >= 17 ? utf8(field.raw()) : utf8(field.rtrimmed());
    });
    values.body = utf8(state.Page.BodyText.trimmed());
    values.picture = utf8(state.Page.LogoImage.trimmed());
    return values;
}

FieldValues LoadProduct(AppState& state, int line) {
    state.CurrentRecord = line + 1;
    state.Product = state.files.readProduct(state.CurrentRecord);
    const ProductRecord& product = state.Product;
    FieldValues values;
    values.boxes.resize(kProductBoxCount);
    forProductTextBoxes(product, [&](int box, std::string_view, const auto& field) {
        values.boxes[static_cast<std::size_t>(box)] = utf8(field.trimmed());
    });
    values.boxes[2] = numbers::formatWhole(product.QuantityPerUnit);
    values.boxes[3] = numbers::formatCurrency(product.UnitPrice);
    values.body = utf8(product.BodyText.trimmed());
    values.picture = utf8(product.ProductImage.trimmed());
    return values;
}

FieldValues LoadLink(AppState& state, int list, int line) {
    state.LinkRecordNo = line + 1;
    state.LinkNo = static_cast<std::int16_t>(list == 0 ? 2 : 3);
    state.LinkPage = state.files.readPage(state.LinkRecordNo);
    state.LinkIndex = static_cast<std::int16_t>(state.LinkNo == 2 ? 0 : 1);
    const PageRecord& page = state.LinkPage;
    FieldValues values;
    values.boxes.resize(kLinkBoxCount);
    forLinkBoxes(page, state.LinkIndex, [&](int box, std::string_view, const auto& field) {
        values.boxes[static_cast<std::size_t>(box)] = utf8(field.trimmed());
    });
    const auto k = static_cast<std::size_t>(state.LinkIndex);
    values.body = utf8(page.LinkText[k].trimmed());
    values.picture = utf8(page.LinkImage[k].trimmed());
    return values;
}

SaveResult SavePage(AppState& state, const FieldValues& values, const std::string& question) {
    PageRecord record = state.Page;
    const auto outcome = convertAndAsk(
        state,
        [&] {
            forPageBoxes(record, [&](int box, std::string_view name, auto& field) {
                store(field, name, boxValue(values, box));
            });
            storeBody(record.BodyText, "BodyText", values.body);
        },
        question, true);
    if (outcome != SaveResult::Outcome::Saved) return {outcome, {}};
    state.CurrentRecord = 1;
    state.Page = record;
    state.files.writePage(state.CurrentRecord, state.Page);
    return saved("Profile ", state.Page.DomainName.raw());
}

SaveResult SaveProduct(AppState& state, int line, const FieldValues& values,
                       const std::string& question) {
    ProductRecord record = state.Product;
    const auto outcome = convertAndAsk(
        state,
        [&] {
            forProductTextBoxes(record, [&](int box, std::string_view name, auto& field) {
                store(field, name, boxValue(values, box));
            });
            record.QuantityPerUnit = numbers::parseQuantity(boxValue(values, 2));
            record.UnitPrice = numbers::parseUnitPrice(boxValue(values, 3));
            storeBody(record.BodyText, "BodyText", values.body);
        },
        question, !state.KillDetail);
    if (outcome != SaveResult::Outcome::Saved) return {outcome, {}};
    state.CurrentRecord = line + 1;
    record.RecordNo = state.CurrentRecord - 1;
    state.Product = record;
    state.files.writeProduct(state.CurrentRecord, state.Product);
    return saved("Detail ", state.Product.ProductName.raw());
}

SaveResult SaveLink(AppState& state, const FieldValues& values, const std::string& question) {
    PageRecord record = state.LinkPage;
    const int index = state.LinkNo == 2 ? 0 : 1;
    const auto outcome = convertAndAsk(
        state,
        [&] {
            forLinkBoxes(record, index, [&](int box, std::string_view name, auto& field) {
                store(field, name, boxValue(values, box));
            });
            storeBody(record.LinkText[static_cast<std::size_t>(index)], "LinkText", values.body);
        },
        question, true);
    if (outcome != SaveResult::Outcome::Saved) return {outcome, {}};
    state.LinkIndex = static_cast<std::int16_t>(index);
    state.LinkPage = record;
    SaveResult result = saved("Link file ", index == 0 ? record.Link2.raw() : record.Link3.raw());
    state.files.writePage(state.LinkRecordNo, state.LinkPage);
    return result;
}

}  // namespace tarvomen
