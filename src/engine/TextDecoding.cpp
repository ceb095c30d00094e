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
