#include "store/records.hpp"

#include <cassert>
#include <cstring>

namespace tarvomen {
namespace {

template <class Int>
void putLittleEndian(std::string& out, Int value) {
    using U = std::make_unsigned_t<Int>;
    auto u = static_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(Int); ++i) {
        out += static_cast<char>(u & 0xFF);
        u = static_cast<U>(u >> 8);
    }
}

template <class Int>
Int getLittleEndian(std::string_view bytes, std::size_t& pos) {
    using U = std::make_unsigned_t<Int>;
    U u = 0;
    for (std::size_t i = 0; i < sizeof(Int); ++i) {
        u |= static_cast<U>(static_cast<U>(static_cast<unsigned char>(bytes[pos + i])) << (8 * i));
    }
    pos += sizeof(Int);
    return static_cast<Int>(u);
}

struct Encoder {
    std::string& out;
    template <std::size_t N>
    void operator()(std::string_view, const FixedText<N>& text) {
        out.append(text.raw());
    }
    void operator()(std::string_view, std::int32_t v) { putLittleEndian(out, v); }
    void operator()(std::string_view, std::int16_t v) { putLittleEndian(out, v); }
    void operator()(std::string_view, const Currency& v) { putLittleEndian(out, v.scaled); }
    void operator()(std::string_view, const StyleIndexArray& a) {
        for (const auto v : a) putLittleEndian(out, v);
    }
};

struct Decoder {
    std::string_view bytes;
    std::size_t pos = 0;
    template <std::size_t N>
    void operator()(std::string_view, FixedText<N>& text) {
        std::string value(bytes.substr(pos, N));
        for (char& c : value) {
            if (c == '\0') c = ' ';
        }
        text.assign(value);
        pos += N;
    }
    void operator()(std::string_view, std::int32_t& v) {
        v = getLittleEndian<std::int32_t>(bytes, pos);
    }
    void operator()(std::string_view, std::int16_t& v) {
        v = getLittleEndian<std::int16_t>(bytes, pos);
    }
    void operator()(std::string_view, Currency& v) {
        v.scaled = getLittleEndian<std::int64_t>(bytes, pos);
    }
    void operator()(std::string_view, StyleIndexArray& a) {
        for (auto& v : a) v = getLittleEndian<std::int16_t>(bytes, pos);
    }
};

template <class Record>
std::string encodeRecord(const Record& record) {
    std::string out;
    out.reserve(Record::kLength);
    Record::visit(record, Encoder{out});
    assert(out.size() == Record::kLength);
    return out;
}

template <class Record>
void decodeRecord(std::string_view bytes, Record& record) {
    assert(bytes.size() == Record::kLength);
    Decoder decoder{bytes};
    Record::visit(record, decoder);
}

}  // namespace

std::string encode(const PageRecord& record) {
    return encodeRecord(record);
}
std::string encode(const ProductRecord& record) {
    return encodeRecord(record);
}
std::string encode(const StyleRecord& record) {
    return encodeRecord(record);
}
void decode(std::string_view bytes, PageRecord& record) {
    decodeRecord(bytes, record);
}
void decode(std::string_view bytes, ProductRecord& record) {
    decodeRecord(bytes, record);
}
void decode(std::string_view bytes, StyleRecord& record) {
    decodeRecord(bytes, record);
}

}  // namespace tarvomen
