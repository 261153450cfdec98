#pragma once

#include <cstdint>

#include "platform/drive.hpp"
#include "store/record_file.hpp"
#include "store/records.hpp"

namespace tarvomen {

// The three record files of the site under their file numbers: the page file (1), the product
// file (2) and the style file (20).
class SiteFiles {
  public:
    static constexpr int kPageFileNumber = 1;
    static constexpr int kProductFileNumber = 2;
    static constexpr int kStyleFileNumber = 20;
    static constexpr int kProductCount = 30;

    void openPageFile(const Drive& drive);     // DoOpenProfile
    void openProductFile(const Drive& drive);  // DoOpenDetail
    void openStyleFile(const Drive& drive);    // DoOpenMediaParms
    void openAll(const Drive& drive);
    // Closes the page, product and style files; closing a file that is not open is no error.
    void closeAll();
    bool allOpen() const { return page_.isOpen() && product_.isOpen() && style_.isOpen(); }

    PageRecord readPage(std::int64_t recordNo) const;
    void writePage(std::int64_t recordNo, const PageRecord& record);
    ProductRecord readProduct(std::int64_t recordNo) const;
    void writeProduct(std::int64_t recordNo, const ProductRecord& record);
    StyleRecord readStyle(std::int64_t recordNo) const;
    void writeStyle(std::int64_t recordNo, const StyleRecord& record);

  private:
    RecordFile page_;
    RecordFile product_;
    RecordFile style_;
};

}  // namespace tarvomen
