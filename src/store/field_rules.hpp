#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/error.hpp"
#include "store/app_state.hpp"
#include "store/records.hpp"

namespace tarvomen::fields {

// The one place that says how an entered value (UTF-8, from an editor's box or from
// `tarvomen-cli set`) becomes the stored bytes of a record field, and which fields take one.
// The editors' saves and the command line both store through setField, so the same value gives
// the same bytes either way.
enum class Rule {
    Text,       // converted to Windows-1252, then cut to the width or blank-padded
    Trimmed,    // as Text, after removing the blanks at both ends (the long body texts)
    Quantity,   // wholly a number, rounded to a whole number (numbers::readQuantity)
    Price,      // wholly a number, rounded to four decimals (numbers::readUnitPrice)
    Flag,       // "-1" (True) or "0"
    Positions,  // ten comma-separated picker positions: colours, sizes (0-5) and fonts
    RecordNo,   // never entered: a product's save sets it to its record number - 1, the page
                // record keeps it as read (setRecordNo)
    Kept,       // never entered: written back as read (Reserved1) or derived from the
                // positions (the style's colour, font and size texts)
};

struct FieldRule {
    std::string_view name;  // as the record's visit() names the field
    Rule rule;
};

// The rules of every field of each record, in stored order.
std::span<const FieldRule> pageRules();
std::span<const FieldRule> productRules();
std::span<const FieldRule> styleRules();

// The rule of field `name`, or nothing for a name the record does not have.
const FieldRule* findRule(std::span<const FieldRule> rules, std::string_view name);

// An entered value that a field does not take: the message names the field and what was typed,
// in the chosen language.
class RefusedValue : public Error {
  public:
    using Error::Error;
};

// Stores `value` into field `name` of `record` by the field's rule. Throws RefusedValue for an
// unknown field, a field that is never entered or a value its rule refuses, and EncodingError for
// text that Windows-1252 cannot hold; the record is unchanged then. `state` gives the language of
// the messages and the font list that a style's positions index.
void setField(const AppState& state, PageRecord& record, std::string_view name,
              std::string_view value);
void setField(const AppState& state, ProductRecord& record, std::string_view name,
              std::string_view value);
void setField(const AppState& state, StyleRecord& record, std::string_view name,
              std::string_view value);

// `RecordNo` as a product's save stores it: its zero-based position.
void setRecordNo(ProductRecord& record, int recordNumber);

}  // namespace tarvomen::fields
