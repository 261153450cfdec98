#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

    using Access = RecordFile::Access;

    // Readers open the files with Access::ReadOnly: nothing is created or changed.
    void openPageFile(const Drive& drive, Access access = Access::ReadWrite);     // DoOpenProfile
    void openProductFile(const Drive& drive, Access access = Access::ReadWrite);  // DoOpenDetail
    void openStyleFile(const Drive& drive,
                       Access access = Access::ReadWrite);  // DoOpenMediaParms
    void openAll(const Drive& drive, Access access = Access::ReadWrite);
    // Closes the page, product and style files; closing a file that is not open is no error.
    // Returns the messages of closes that failed.
    std::vector<std::string> closeAll();
    bool allOpen() const { return page_.isOpen() && product_.isOpen() && style_.isOpen(); }
    // What the open files' layout has to say (stray bytes after the last record), once per
    // opening.
    std::vector<std::string> warnings() const;

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
