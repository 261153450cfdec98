#include "store/site_files.hpp"

#include "store/site_paths.hpp"

namespace tarvomen {
namespace {

template <class Record>
void openFile(RecordFile& file, const Drive& drive, const char* windowsPath) {
    file.open(drive.resolve(windowsPath), windowsPath, encode(Record{}));
}

template <class Record>
Record readRecord(const RecordFile& file, std::int64_t recordNo) {
    Record record;
    decode(file.read(recordNo), record);
    return record;
}

}  // namespace

void SiteFiles::openPageFile(const Drive& drive) {
    openFile<PageRecord>(page_, drive, paths::kPageFile);
}
void SiteFiles::openProductFile(const Drive& drive) {
    openFile<ProductRecord>(product_, drive, paths::kProductFile);
}
void SiteFiles::openStyleFile(const Drive& drive) {
    openFile<StyleRecord>(style_, drive, paths::kStyleFile);
}

void SiteFiles::openAll(const Drive& drive) {
    openPageFile(drive);
    openProductFile(drive);
    openStyleFile(drive);
}

void SiteFiles::closeAll() {
    page_.close();
    product_.close();
    style_.close();
}

PageRecord SiteFiles::readPage(std::int64_t recordNo) const {
    return readRecord<PageRecord>(page_, recordNo);
}
void SiteFiles::writePage(std::int64_t recordNo, const PageRecord& record) {
    page_.write(recordNo, encode(record));
}
ProductRecord SiteFiles::readProduct(std::int64_t recordNo) const {
    return readRecord<ProductRecord>(product_, recordNo);
}
void SiteFiles::writeProduct(std::int64_t recordNo, const ProductRecord& record) {
    product_.write(recordNo, encode(record));
}
StyleRecord SiteFiles::readStyle(std::int64_t recordNo) const {
    return readRecord<StyleRecord>(style_, recordNo);
}
void SiteFiles::writeStyle(std::int64_t recordNo, const StyleRecord& record) {
    style_.write(recordNo, encode(record));
}

}  // namespace tarvomen
