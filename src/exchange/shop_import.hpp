#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/app_state.hpp"

namespace tarvomen::exchange {

// One field that an import changes, for --dry-run and the report.
struct FieldChange {
    std::string record;  // "page", "product 3", "style 101"
    std::string field;
    std::string before;  // UTF-8, as exported
    std::string after;
};

// What an import would write: the changed records, whole, and the field changes in them.
struct ImportPlan {
    std::optional<PageRecord> page;
    std::map<int, ProductRecord> products;
    std::map<int, StyleRecord> styles;
    std::vector<FieldChange> changes;
};

// Reads an exported shop (JSON, or products as CSV; told apart by the first character) and
// applies every value that differs from what is stored with the rules of the editors' save.
// Fields missing from the document keep their stored values, so an export without the FTP
// password leaves the password alone, and a document that changes nothing plans no write.
// Throws Error naming the record (the CSV row) and field of the first value refused; nothing
// is planned then. The record files must be open.
ImportPlan planImport(const AppState& state, std::string_view document);

// Writes the records of the plan. When a write fails, the records already written are put back
// as they were before the error is passed on, so an import writes everything or nothing.
void applyImport(AppState& state, const ImportPlan& plan);

}  // namespace tarvomen::exchange
