// The engine's own CP932 tables against glibc's converter, which the engine
// used before and which defines how the shipped era files read.
#include "engine/TextDecoding.h"

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>

#include <memory>
#include <optional>
#include <string>

namespace {

using Converter = std::unique_ptr<void, int (*)(iconv_t)>;

Converter Open(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    return {cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd, &iconv_close};
}

std::optional<std::string> Convert(const Converter& cd, const std::string& in)
{
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    if (iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string Utf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | c >> 6);
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | c >> 12);
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

} // namespace

TEST(Cp932, EveryTwoByteSequenceDecodesAsIconvDoes)
{
    const Converter cd = Open("UTF-8", "CP932");
    if (!cd)
        GTEST_SKIP() << "this iconv has no CP932";
    int differences = 0, read = 0;
    for (unsigned code = 0; code < 0x10000; ++code) {
        const std::string bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        const auto expected = Convert(cd, bytes);
        const auto got = yomari::DecodeCp932(bytes);
        read += expected.has_value();
        if (got != expected && ++differences <= 10)
            ADD_FAILURE() << std::hex << "0x" << code << ": " << (got ? *got : "(refused)") << " instead of "
                          << (expected ? *expected : "(refused)");
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(read, 20000); // the single-byte pairs and the 7,900 two-byte characters
}

TEST(Cp932, EveryCharacterEncodesAsIconvDoes)
{
    const Converter cd = Open("CP932", "UTF-8");
    if (!cd)
        GTEST_SKIP() << "this iconv has no CP932";
    int differences = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::string text = Utf8(c);
        const auto expected = Convert(cd, text);
        const auto got = yomari::EncodeCp932(text);
        if (got != expected && ++differences <= 10)
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(c) << " written differently";
    }
    EXPECT_EQ(differences, 0);
    EXPECT_FALSE(yomari::EncodeCp932("\xF0\x9F\x98\x80").has_value()); // outside the BMP
}

#else
TEST(Cp932, EveryTwoByteSequenceDecodesAsIconvDoes)
{
    GTEST_SKIP() << "no iconv here to compare with";
}
#endif
