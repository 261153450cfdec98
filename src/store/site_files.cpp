#include "store/site_files.hpp"

#include "store/site_paths.hpp"

namespace tarvomen {
namespace {

template <class Record>
void openFile(RecordFile& file, const Drive& drive, const char* windowsPath,
              RecordFile::Access access) {
    file.open(drive.resolve(windowsPath), windowsPath, encode(Record{}), access);
}

template <class Record>
Record readRecord(const RecordFile& file, std::int64_t recordNo) {
    Record record;
    decode(file.read(recordNo), record);
    return record;
}

}  // namespace

void SiteFiles::openPageFile(const Drive& drive, Access access) {
    openFile<PageRecord>(page_, drive, paths::kPageFile, access);
}
void SiteFiles::openProductFile(const Drive& drive, Access access) {
    openFile<ProductRecord>(product_, drive, paths::kProductFile, access);
}
void SiteFiles::openStyleFile(const Drive& drive, Access access) {
    openFile<StyleRecord>(style_, drive, paths::kStyleFile, access);
}

void SiteFiles::openAll(const Drive& drive, Access access) {
    openPageFile(drive, access);
    openProductFile(drive, access);
    openStyleFile(drive, access);
}

std::vector<std::string> SiteFiles::closeAll() {
    std::vector<std::string> failures;
    for (RecordFile* file : {&page_, &product_, &style_}) {
        try {
            file->close();
        } catch (const RecordFileError& error) {
            failures.emplace_back(error.what());
        }
    }
    return failures;
}

std::vector<std::string> SiteFiles::warnings() const {
    std::vector<std::string> all;
    for (const RecordFile* file : {&page_, &product_, &style_}) {
        if (file->warning()) all.push_back(*file->warning());
    }
    return all;
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
