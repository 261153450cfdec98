#include "support/temp_drive.hpp"

#include <fstream>
#include <random>
#include <stdexcept>

#include "store/style_ops.hpp"

namespace fs = std::filesystem;

namespace tarvomen::testing {

TempDrive::TempDrive() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("tarvomen-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary drive folder");
}

TempDrive::~TempDrive() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void TempDrive::layOut() const {
    fs::create_directories(path_ / "Program Files" / "Tarvomen" / "Tarvomen");
    fs::create_directories(path_ / "Program Files" / "Tarvomen" / "qv");
    fs::create_directories(path_ / "Program Files" / "Tarvomen" / "TMedia");
    fs::create_directories(path_ / "Tarvomen" / "Data");
}

void DriveFixture::openRecords() {
    temp.layOut();
    state.files.openAll(drive);
}

void DriveFixture::openInEnglish() {
    openRecords();
    FillColorText(state);
    state.LangInd = 1;
}

fs::path DriveFixture::programFile(std::string_view name) const {
    return temp / "Program Files/Tarvomen" / name;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace tarvomen::testing
