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

Utf8Char DecodeUtf8(std::string_view s, size_t pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80)
        return {b0, 1, true};
    // The lead byte gives the length and the range of the second byte; the
    // narrowed ranges after E0, ED, F0 and F4 are what rule out overlong
    // forms, surrogates and values above U+10FFFF.
    size_t need = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        code = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        code = b0 & 0x0F;
        if (b0 == 0xE0)
            low = 0xA0;
        else if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        code = b0 & 0x07;
        if (b0 == 0xF0)
            low = 0x90;
        else if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return {0xFFFD, 1, false};
    }
    size_t k = 1;
    for (; k <= need; ++k) {
        if (pos + k >= s.size())
            break;
        const auto b = static_cast<unsigned char>(s[pos + k]);
        if (b < low || b > high)
            break;
        low = 0x80;
        high = 0xBF;
        code = (code << 6) | (b & 0x3F);
    }
    if (k <= need)
        return {0xFFFD, k, false}; // the lead byte and the good bytes after it
    return {code, need + 1, true};
}

void AppendUtf8(char32_t cp, std::string& out)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        const Utf8Char c = DecodeUtf8(bytes, i);
        if (!c.valid)
            return false;
        i += c.length;
    }
    return true;
}

std::string ToValidUtf8(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 8);
    for (size_t i = 0; i < bytes.size();) {
        const Utf8Char c = DecodeUtf8(bytes, i);
        AppendUtf8(c.code, out);
        i += c.length;
    }
    return out;
}

std::string ShowableText(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    // The direction marks, embeddings, overrides and isolates: shown as they
    // are, they would reorder the rest of the line on screen.
    const auto reorders = [](char32_t c) {
        return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
               (c >= 0x2066 && c <= 0x2069);
    };
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const Utf8Char c = DecodeUtf8(bytes, i);
        i += c.length;
        if (c.code < 0x20 || c.code == 0x7F) {
            out += "\\x";
            out += kHex[c.code >> 4];
            out += kHex[c.code & 15];
        } else if ((c.code >= 0x80 && c.code < 0xA0) || reorders(c.code)) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(c.code >> shift) & 15];
        } else {
            AppendUtf8(c.code, out);
        }
    }
    return out;
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
