#pragma once

#include <cstdint>
#include <optional>

namespace tarvomen {

// The kind of page being worked on; the numbers are those `PageKind` holds and compares.
enum class PageType : std::int16_t { Home = 0, Product = 1, Link = 2 };

// The page selection: which page the style operations, the pickers and the generator work on.
struct PageSelection {
    PageType PageKind = PageType::Home;
    std::int32_t CurrentRecord = 0;  // page record or product number
    std::int32_t LinkRecordNo = 0;   // page record of the link page being edited
    std::int16_t LinkNo = 0;         // 2 link page 1 (Link2), 3 link page 2 (Link3)
    std::int16_t LinkIndex = 0;      // 0 link page 1, 1 link page 2

    static PageSelection HomePage() { return {PageType::Home, 1}; }
    static PageSelection ProductPage(std::int32_t product) { return {PageType::Product, product}; }
    // Link page 1 (`linkNo` 2) or 2 (`linkNo` 3) of page record 1.
    static PageSelection LinkPage(std::int16_t linkNo) {
        return {PageType::Link, 1, 1, linkNo, static_cast<std::int16_t>(linkNo == 2 ? 0 : 1)};
    }

    friend bool operator==(const PageSelection&, const PageSelection&) = default;
};

// The style record number of the selected page: the product number for a product page, 100 +
// `CurrentRecord` (101) for the home page, and for a link page the number written "1", then
// `CurrentRecord`, then `LinkNo` (112, 113). Nothing for a kind outside the three.
std::optional<std::int32_t> StyleRecordNo(const PageSelection& selection);

// The selection of the page whose style record is `recordNo`: a product 1 to 30, the home page
// (101) or a link page (112, 113); nothing for any other number.
std::optional<PageSelection> SelectionOfStyleRecord(std::int32_t recordNo);

// Puts the page selection back as it was when the guard was made, however the scope is left.
class SelectionGuard {
  public:
    explicit SelectionGuard(PageSelection& selection) : selection_(selection), saved_(selection) {}
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    ~SelectionGuard() { selection_ = saved_; }

    const PageSelection& saved() const { return saved_; }

  private:
    PageSelection& selection_;
    const PageSelection saved_;
};

}  // namespace tarvomen
