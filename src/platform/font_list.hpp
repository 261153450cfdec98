#pragma once

#include <string>
#include <vector>

namespace tarvomen {

// The font names offered by the style picker and stored by the style operations, by position.
// Names are UTF-8 and all representable in Windows-1252.
class FontList {
  public:
    static constexpr std::size_t kMaxFonts = 100;

    virtual ~FontList() = default;
    virtual const std::vector<std::string>& names() const = 0;

    // The name at a position, or an empty name for a position outside the list.
    std::string nameAt(int position) const {
        const auto& all = names();
        if (position < 0 || static_cast<std::size_t>(position) >= all.size()) return {};
        return all[static_cast<std::size_t>(position)];
    }
};

// A fixed list, for tests and for machines without fonts.
class FixedFontList : public FontList {
  public:
    explicit FixedFontList(std::vector<std::string> names) : names_(std::move(names)) {}
    const std::vector<std::string>& names() const override { return names_; }

  private:
    std::vector<std::string> names_;
};

// The family names that fontconfig reports: de-duplicated, sorted, names Windows-1252 cannot
// hold left out, at most kMaxFonts; read once, on first use.
class FontconfigFontList : public FontList {
  public:
    const std::vector<std::string>& names() const override;

  private:
    mutable bool loaded_ = false;
    mutable std::vector<std::string> names_;
};

}  // namespace tarvomen
