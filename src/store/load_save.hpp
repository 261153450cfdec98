#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/app_state.hpp"

namespace tarvomen {

// The three editors never touch the record files: they fill their lists, load a record into
// their boxes and save the boxes back through these operations, which also keep the page
// selection state (`CurrentRecord`, `LinkRecordNo`, `LinkNo`, `LinkIndex`) up to date.
// Values at this boundary are UTF-8; records hold Windows-1252.

// What an editor shows of a record: its entry boxes by index, the body text and the image path
// for the preview (trimmed; empty when there is none).
struct FieldValues {
    std::vector<std::string> boxes;
    std::string body;
    std::string picture;
};

inline constexpr int kPageBoxCount = 19;
inline constexpr int kProductBoxCount = 7;
inline constexpr int kLinkBoxCount = 5;

// The save questions, by string-table id.
inline constexpr int kProductSaveQuestion = 74;
inline constexpr int kPageSaveQuestion = 75;
inline constexpr int kLinkSaveQuestion = 89;

// List filling. Filling never changes `CurrentRecord`.

// The page-record list: "1" followed by the 50-character domain name as stored. The start
// window shows it as its F.T.P. list while `ListProfileSwitch` is 1, the profile editor
// otherwise; the switch is 0 afterwards.
std::vector<std::string> PageListLines(AppState& state);

// The product list: for n = 1 to 30, n followed by the 40-character product name as stored.
std::vector<std::string> ProductListLines(AppState& state);

// The two link lists: reads page record 1 into `LinkPage` and gives the line of each link page,
// "1" + domain name + "-" + Link2 (first list) or Link3 (second list), trimmed. `LinkNo` is 0
// afterwards.
struct LinkListLines {
    std::string first;
    std::string second;
};
LinkListLines FillLinkLists(AppState& state);

// Loading line `line` (from 0) of a list.

// The page record: boxes 0-16 without trailing blanks, 17 and 18 as stored, the body trimmed.
FieldValues LoadPage(AppState& state, int line);
// A product: `CurrentRecord` <- line + 1; quantity and price as plain decimal text.
FieldValues LoadProduct(AppState& state, int line);
// A link page: `list` is 0 for the first list (link page 1), 1 for the second.
FieldValues LoadLink(AppState& state, int list, int line);

// Saving. Each save first stores the boxes into a copy of the record by the field rules
// (store/field_rules.hpp): a value a field does not take (a character that Windows-1252 cannot
// hold, a quantity or price that is not wholly a number or lies outside its range) refuses the
// save with a message naming the field and the value, before anything is asked or written. Then
// it asks `question` (Yes/No, default No, title "Tarvomen") unless `ask` is false (the product
// save asks nothing either while `KillDetail` is set); on Yes it writes the record and gives the
// status line. The caller fills its list again.
struct SaveResult {
    enum class Outcome { Saved, Declined, Refused };
    Outcome outcome = Outcome::Declined;
    std::string status;  // "Profile ... Updated o.k.!" when saved
    // Refused: the entry box whose value was refused; nothing when it was the body text.
    std::optional<int> refusedBox;
    bool saved() const { return outcome == Outcome::Saved; }
};

// The page record (record 1). `question` is text 75 in the editor's language.
SaveResult SavePage(AppState& state, const FieldValues& values, const std::string& question,
                    bool ask = true);
// Product line `line` + 1 (text 74).
SaveResult SaveProduct(AppState& state, int line, const FieldValues& values,
                       const std::string& question, bool ask = true);
// The link page selected by `LinkNo` into record `LinkRecordNo` (text 89).
SaveResult SaveLink(AppState& state, const FieldValues& values, const std::string& question,
                    bool ask = true);

}  // namespace tarvomen
