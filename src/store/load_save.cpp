#include "store/load_save.hpp"

#include <optional>
#include <string_view>
#include <type_traits>

#include "platform/cp1252.hpp"
#include "platform/error.hpp"
#include "store/field_rules.hpp"
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

// The boxes of the product editor (boxes 2 and 3 are the numbers).
template <class Record, class F>
void forProductBoxes(Record& r, F&& f) {
    f(0, "ProductName", r.ProductName);
    f(1, "Description", r.Description);
    f(2, "QuantityPerUnit", r.QuantityPerUnit);
    f(3, "UnitPrice", r.UnitPrice);
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
    f(1, index == 0 ? "LinkHeading[0]" : "LinkHeading[1]", r.LinkHeading[k]);
    f(2, index == 0 ? "LinkImage[0]" : "LinkImage[1]", r.LinkImage[k]);
    f(3, index == 0 ? "LinkImageText[0]" : "LinkImageText[1]", r.LinkImageText[k]);
    f(4, index == 0 ? "LinkVideoText[0]" : "LinkVideoText[1]", r.LinkVideoText[k]);
}

std::string utf8(std::string_view cp1252) {
    return cp1252::toUtf8(cp1252);
}

const std::string& boxValue(const FieldValues& values, int box) {
    static const std::string empty;
    const auto i = static_cast<std::size_t>(box);
    return i < values.boxes.size() ? values.boxes[i] : empty;
}

// Stores the boxes and the body text into `record` by the field rules, through `storeBoxes`
// (which calls the given store(box, name) for each box) and the body's field `bodyName`. The
// first value a field does not take is told to the user and refuses the save before anything is
// asked or written. Otherwise asks `question` when `ask`.
template <class Record, class StoreBoxes>
SaveResult convertAndAsk(AppState& state, Record& record, const FieldValues& values,
                         StoreBoxes&& storeBoxes, std::string_view bodyName,
                         const std::string& question, bool ask) {
    std::optional<int> box;  // the box being stored; nothing for the body text
    try {
        storeBoxes([&](int index, std::string_view name) {
            box = index;
            fields::setField(state, record, name, boxValue(values, index));
        });
        box.reset();
        fields::setField(state, record, bodyName, values.body);
    } catch (const Error& refusal) {
        if (state.services.messages) {
            state.services.messages->inform(refusal.what(), kTitle, MessageBox::Icon::Exclamation);
        }
        return {SaveResult::Outcome::Refused, {}, box};
    }
    if (ask && !(state.services.messages && state.services.messages->askYesNo(question, kTitle))) {
        return {SaveResult::Outcome::Declined, {}, {}};
    }
    return {SaveResult::Outcome::Saved, {}, {}};
}

SaveResult saved(std::string_view what, std::string_view cp1252Name) {
    return {SaveResult::Outcome::Saved,
            std::string(what) + utf8(trimBlanks(cp1252Name)) + " Updated o.k.!",
            {}};
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
    state.Selection.LinkNo = 0;
    return {site + utf8(page.Link2.trimmed()), site + utf8(page.Link3.trimmed())};
}

FieldValues LoadPage(AppState& state, int line) {
    state.Selection.CurrentRecord = line + 1;
    state.Page = state.files.readPage(state.Selection.CurrentRecord);
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
    state.Selection.CurrentRecord = line + 1;
    state.Product = state.files.readProduct(state.Selection.CurrentRecord);
    const ProductRecord& product = state.Product;
    FieldValues values;
    values.boxes.resize(kProductBoxCount);
    forProductBoxes(product, [&](int box, std::string_view, const auto& field) {
        std::string& shown = values.boxes[static_cast<std::size_t>(box)];
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, Currency>) {
            shown = numbers::formatCurrency(field);
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
            shown = numbers::formatWhole(field);
        } else {
            shown = utf8(field.trimmed());
        }
    });
    values.body = utf8(product.BodyText.trimmed());
    values.picture = utf8(product.ProductImage.trimmed());
    return values;
}

FieldValues LoadLink(AppState& state, int list, int line) {
    state.Selection.LinkRecordNo = line + 1;
    state.Selection.LinkNo = static_cast<std::int16_t>(list == 0 ? 2 : 3);
    state.LinkPage = state.files.readPage(state.Selection.LinkRecordNo);
    state.Selection.LinkIndex = static_cast<std::int16_t>(state.Selection.LinkNo == 2 ? 0 : 1);
    const PageRecord& page = state.LinkPage;
    FieldValues values;
    values.boxes.resize(kLinkBoxCount);
    forLinkBoxes(page, state.Selection.LinkIndex,
                 [&](int box, std::string_view, const auto& field) {
                     values.boxes[static_cast<std::size_t>(box)] = utf8(field.trimmed());
                 });
    const auto k = static_cast<std::size_t>(state.Selection.LinkIndex);
    values.body = utf8(page.LinkText[k].trimmed());
    values.picture = utf8(page.LinkImage[k].trimmed());
    return values;
}

SaveResult SavePage(AppState& state, const FieldValues& values, const std::string& question,
                    bool ask) {
    PageRecord record = state.Page;
    const auto storeBoxes = [&](auto&& store) {
        forPageBoxes(record, [&](int box, std::string_view name, auto&) { store(box, name); });
    };
    const SaveResult result =
        convertAndAsk(state, record, values, storeBoxes, "BodyText", question, ask);
    if (!result.saved()) return result;
    state.Selection.CurrentRecord = 1;
    state.Page = record;
    state.files.writePage(state.Selection.CurrentRecord, state.Page);
    return saved("Profile ", state.Page.DomainName.raw());
}

SaveResult SaveProduct(AppState& state, int line, const FieldValues& values,
                       const std::string& question, bool ask) {
    ProductRecord record = state.Product;
    const auto storeBoxes = [&](auto&& store) {
        forProductBoxes(record, [&](int box, std::string_view name, auto&) { store(box, name); });
    };
    const SaveResult result = convertAndAsk(state, record, values, storeBoxes, "BodyText", question,
                                            ask && !state.KillDetail);
    if (!result.saved()) return result;
    state.Selection.CurrentRecord = line + 1;
    fields::setRecordNo(record, state.Selection.CurrentRecord);
    state.Product = record;
    state.files.writeProduct(state.Selection.CurrentRecord, state.Product);
    return saved("Detail ", state.Product.ProductName.raw());
}

SaveResult SaveLink(AppState& state, const FieldValues& values, const std::string& question,
                    bool ask) {
    PageRecord record = state.LinkPage;
    const int index = state.Selection.LinkNo == 2 ? 0 : 1;
    const auto storeBoxes = [&](auto&& store) {
        forLinkBoxes(record, index,
                     [&](int box, std::string_view name, auto&) { store(box, name); });
    };
    const SaveResult result =
        convertAndAsk(state, record, values, storeBoxes, index == 0 ? "LinkText[0]" : "LinkText[1]",
                      question, ask);
    if (!result.saved()) return result;
    state.Selection.LinkIndex = static_cast<std::int16_t>(index);
    state.LinkPage = record;
    SaveResult done = saved("Link file ", index == 0 ? record.Link2.raw() : record.Link3.raw());
    state.files.writePage(state.Selection.LinkRecordNo, state.LinkPage);
    return done;
}

}  // namespace tarvomen
