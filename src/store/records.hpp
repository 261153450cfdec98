#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/fixed_text.hpp"

namespace tarvomen {

// A currency amount: the value multiplied by 10,000, stored as a 64-bit integer.
struct Currency {
    std::int64_t scaled = 0;
    friend bool operator==(const Currency&, const Currency&) = default;
};

// The page record: record 1 of "Qvprofile.txt", the one site.
struct PageRecord {
    static constexpr std::size_t kLength = 12535;

    std::int32_t RecordNo = 0;
    FixedText<50> DomainName;
    FixedText<50> Title;
    FixedText<50> Heading;
    FixedText<100> LogoImage;
    FixedText<30> CompanyName;
    FixedText<40> CompanyAddress;
    FixedText<20> City;
    FixedText<24> PostCode;
    FixedText<22> Phone;
    FixedText<22> Fax;
    FixedText<40> Email;
    FixedText<50> Link1;
    FixedText<50> Link2;
    FixedText<50> Link3;
    FixedText<50> Link4;
    FixedText<50> Reserved1;
    FixedText<400> VideoText;
    FixedText<400> ImageText;
    FixedText<3000> BodyText;
    FixedText<30> FtpUserName;
    FixedText<30> FtpPassword;
    FixedText<50> FtpHost;
    FixedText<20> CurrencyName;
    FixedText<3> CurrencySymbol;
    std::array<FixedText<50>, 2> LinkHeading;
    std::array<FixedText<100>, 2> LinkImage;
    std::array<FixedText<400>, 2> LinkImageText;
    std::array<FixedText<400>, 2> LinkVideoText;
    std::array<FixedText<3000>, 2> LinkText;

    friend bool operator==(const PageRecord&, const PageRecord&) = default;

    // Calls v(name, field) for every field in stored order; arrays as "LinkHeading[0]" ...
    template <class Self, class Visitor>
    static void visit(Self& r, Visitor&& v) {
        v("RecordNo", r.RecordNo);
        v("DomainName", r.DomainName);
        v("Title", r.Title);
        v("Heading", r.Heading);
        v("LogoImage", r.LogoImage);
        v("CompanyName", r.CompanyName);
        v("CompanyAddress", r.CompanyAddress);
        v("City", r.City);
        v("PostCode", r.PostCode);
        v("Phone", r.Phone);
        v("Fax", r.Fax);
        v("Email", r.Email);
        v("Link1", r.Link1);
        v("Link2", r.Link2);
        v("Link3", r.Link3);
        v("Link4", r.Link4);
        v("Reserved1", r.Reserved1);
        v("VideoText", r.VideoText);
        v("ImageText", r.ImageText);
        v("BodyText", r.BodyText);
        v("FtpUserName", r.FtpUserName);
        v("FtpPassword", r.FtpPassword);
        v("FtpHost", r.FtpHost);
        v("CurrencyName", r.CurrencyName);
        v("CurrencySymbol", r.CurrencySymbol);
        v("LinkHeading[0]", r.LinkHeading[0]);
        v("LinkHeading[1]", r.LinkHeading[1]);
        v("LinkImage[0]", r.LinkImage[0]);
        v("LinkImage[1]", r.LinkImage[1]);
        v("LinkImageText[0]", r.LinkImageText[0]);
        v("LinkImageText[1]", r.LinkImageText[1]);
        v("LinkVideoText[0]", r.LinkVideoText[0]);
        v("LinkVideoText[1]", r.LinkVideoText[1]);
        v("LinkText[0]", r.LinkText[0]);
        v("LinkText[1]", r.LinkText[1]);
    }
};

// A product record: records 1 to 30 of "Qvdetail.txt".
struct ProductRecord {
    static constexpr std::size_t kLength = 3994;

    std::int32_t RecordNo = 0;
    FixedText<40> ProductName;
    FixedText<40> Description;
    std::int16_t QuantityPerUnit = 0;
    Currency UnitPrice;
    FixedText<100> ProductImage;
    FixedText<3000> BodyText;
    FixedText<400> ImageText;
    FixedText<400> VideoText;

    friend bool operator==(const ProductRecord&, const ProductRecord&) = default;

    template <class Self, class Visitor>
    static void visit(Self& r, Visitor&& v) {
        v("RecordNo", r.RecordNo);
        v("ProductName", r.ProductName);
        v("Description", r.Description);
        v("QuantityPerUnit", r.QuantityPerUnit);
        v("UnitPrice", r.UnitPrice);
        v("ProductImage", r.ProductImage);
        v("BodyText", r.BodyText);
        v("ImageText", r.ImageText);
        v("VideoText", r.VideoText);
    }
};

// The positions of the style picker's ten items, in stored order.
using StyleIndexArray = std::array<std::int16_t, 10>;

// A style-and-media record: one per page, in "Qvmp.txt". The program's current style is one
// copy of this record.
struct StyleRecord {
    static constexpr std::size_t kLength = 469;

    std::int32_t RecordNo = 0;
    StyleIndexArray StyleIndex{};
    FixedText<7> ScreenColor;
    FixedText<7> LinkColor;
    FixedText<7> ActiveLinkColor;
    FixedText<7> BoxColor;
    FixedText<7> BoxTextColor;
    FixedText<30> BoxFont;
    FixedText<1> BoxTextSize;
    FixedText<7> TextColor;
    FixedText<1> TextSize;
    FixedText<30> TextFont;
    FixedText<12> BackgroundFile;
    FixedText<12> BannerFile;
    FixedText<12> RulerFile;
    FixedText<12> ImageFile;
    FixedText<12> ControlFile;
    FixedText<12> SoundFile;
    FixedText<12> VideoFile;
    FixedText<255> MediaFolder;
    std::int16_t LinkToProfile = 0;  // -1 (True): listed on the home page; 0: on the Link3 page

    friend bool operator==(const StyleRecord&, const StyleRecord&) = default;

    template <class Self, class Visitor>
    static void visit(Self& r, Visitor&& v) {
        v("RecordNo", r.RecordNo);
        v("StyleIndex", r.StyleIndex);
        v("ScreenColor", r.ScreenColor);
        v("LinkColor", r.LinkColor);
        v("ActiveLinkColor", r.ActiveLinkColor);
        v("BoxColor", r.BoxColor);
        v("BoxTextColor", r.BoxTextColor);
        v("BoxFont", r.BoxFont);
        v("BoxTextSize", r.BoxTextSize);
        v("TextColor", r.TextColor);
        v("TextSize", r.TextSize);
        v("TextFont", r.TextFont);
        v("BackgroundFile", r.BackgroundFile);
        v("BannerFile", r.BannerFile);
        v("RulerFile", r.RulerFile);
        v("ImageFile", r.ImageFile);
        v("ControlFile", r.ControlFile);
        v("SoundFile", r.SoundFile);
        v("VideoFile", r.VideoFile);
        v("MediaFolder", r.MediaFolder);
        v("LinkToProfile", r.LinkToProfile);
    }
};

// Byte images of records: little-endian numbers, text as stored. Decoding reads a text field's
// NUL bytes as blanks (files padded by other programs). `bytes` must hold exactly kLength bytes.
std::string encode(const PageRecord& record);
std::string encode(const ProductRecord& record);
std::string encode(const StyleRecord& record);
void decode(std::string_view bytes, PageRecord& record);
void decode(std::string_view bytes, ProductRecord& record);
void decode(std::string_view bytes, StyleRecord& record);

}  // namespace tarvomen
