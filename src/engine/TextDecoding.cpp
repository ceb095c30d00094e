#include "engine/TextDecoding.h"

#include <cstdint>
#include <iconv.h>

namespace yomari {
namespace {

std::optional<std::string> Convert(const char* to, const char* from, const std::string& in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
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
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const Utf8Char c = DecodeUtf8(bytes, i);
        i += c.length;
        if (c.code < 0x20 || c.code == 0x7F) {
            out += "\\x";
            out += kHex[c.code >> 4];
            out += kHex[c.code & 15];
        } else if (c.code >= 0x80 && c.code < 0xA0) {
            out += "\\u00";
            out += kHex[c.code >> 4];
            out += kHex[c.code & 15];
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
    return Convert("UTF-8", "CP932", bytes);
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
    return Convert("CP932", "UTF-8", utf8);
}

} // namespace yomari
