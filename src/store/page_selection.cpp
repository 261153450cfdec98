#include "store/page_selection.hpp"

#include <string>

#include "store/site_files.hpp"

namespace tarvomen {

std::optional<std::int32_t> StyleRecordNo(const PageSelection& selection) {
    switch (selection.PageKind) {
        case PageType::Home:
            return selection.CurrentRecord + 100;
        case PageType::Product:
            return selection.CurrentRecord;
        case PageType::Link:
            return std::stoi("1" + std::to_string(selection.CurrentRecord) +
                             std::to_string(selection.LinkNo));
    }
    return std::nullopt;
}

std::optional<PageSelection> SelectionOfStyleRecord(std::int32_t recordNo) {
    if (recordNo >= 1 && recordNo <= SiteFiles::kProductCount) {
        return PageSelection::ProductPage(recordNo);
    }
    for (const PageSelection& page :
         {PageSelection::HomePage(), PageSelection::LinkPage(2), PageSelection::LinkPage(3)}) {
        if (StyleRecordNo(page) == recordNo) return page;
    }
    return std::nullopt;
}

}  // namespace tarvomen
