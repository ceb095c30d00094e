#include "engine/TextDecoding.h"

#include "engine/Cp932Table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>

namespace yomari {
namespace {

int LeadIndex(unsigned char b)
{
    if (b >= 0x81 && b <= 0x9F)
        return b - 0x81;
    if (b >= 0xE0 && b <= 0xFC)
        return b - 0xE0 + 0x1F;
    return -1;
}

// The character of a single byte; 0 for a lead byte or an unused one.
char16_t SingleByte(unsigned char b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xA1 && b <= 0xDF)
        return static_cast<char16_t>(0xFF61 + b - 0xA1);
    return 0;
}

void AppendUtf8(char16_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::optional<std::string> DecodeCp932(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        char16_t c = SingleByte(b);
        if (b != 0 && c == 0) {
            const int lead = LeadIndex(b);
            if (lead < 0 || i + 1 == bytes.size())
                return std::nullopt;
            const auto trail = static_cast<unsigned char>(bytes[++i]);
            if (trail < 0x40 || trail > 0xFC)
                return std::nullopt;
            c = cp932::kDoubleByte[lead][trail - 0x40];
            if (c == 0)
                return std::nullopt;
        }
        AppendUtf8(c, out);
    }
    return out;
}

namespace {

// The code each character is written as, by character; 0: none (the NUL
// character is the zero byte, apart from this table).
const std::array<uint16_t, 0x10000>& EncodeTable()
{
    static const std::unique_ptr<std::array<uint16_t, 0x10000>> table = [] {
        auto t = std::make_unique<std::array<uint16_t, 0x10000>>();
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            const int row = LeadIndex(static_cast<unsigned char>(lead));
            for (int trail = 0; row >= 0 && trail < cp932::kTrailCount; ++trail) {
                const auto code = static_cast<uint16_t>(lead << 8 | (trail + 0x40));
                const char16_t c = cp932::kDoubleByte[row][trail];
                if (c != 0 &&
                    !std::binary_search(std::begin(cp932::kDecodeOnly), std::end(cp932::kDecodeOnly), code))
                    (*t)[c] = code;
            }
        }
        for (unsigned b = 1; b < 0x100; ++b)
            if (const char16_t c = SingleByte(static_cast<unsigned char>(b)))
                (*t)[c] = static_cast<uint16_t>(b);
        for (const cp932::EncodeOnly& e : cp932::kEncodeOnly)
            (*t)[e.character] = e.code;
        return t;
    }();
    return *table;
}

} // namespace

bool IsValidUtf8(const std::string& bytes)
{
    size_t i = 0;
    const size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            if (i + k >= n)
                return false;
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

std::optional<std::string> DecodeTextFile(const std::string& bytes)
{
    static const std::string bom = "\xEF\xBB\xBF";
    if (bytes.compare(0, bom.size(), bom) == 0) {
        std::string rest = bytes.substr(bom.size());
        if (!IsValidUtf8(rest))
            return std::nullopt;
        return rest;
    }
    // Shift-JIS text of any length practically never forms valid UTF-8, while
    // pure ASCII is the same in both.
    if (IsValidUtf8(bytes))
        return bytes;
    return DecodeCp932(bytes);
}

std::string QuoteForMessage(const std::string& utf8)
{
    constexpr size_t kMaxCharacters = 40;
    size_t characters = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        // A character starts at every byte that is not a continuation byte.
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && characters++ == kMaxCharacters)
            return utf8.substr(0, i) + "…";
    }
    return utf8;
}

std::optional<std::string> EncodeCp932(const std::string& utf8)
{
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    const auto& table = EncodeTable();
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        if (length == 4)
            return std::nullopt; // CP932 has nothing outside the BMP
        uint32_t c = length == 1 ? b : b & (length == 2 ? 0x1F : 0x0F);
        for (size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        const uint16_t code = table[c];
        if (code == 0 && c != 0)
            return std::nullopt;
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

} // namespace yomari
