#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace yomari {

// The one error type of the program: a numbered error with its source (the
// executable's base name) and a Japanese description, as the windows show it.
class YomariError : public std::runtime_error {
public:
    YomariError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description)
        , m_number(number)
        , m_source(std::move(source))
        , m_description(std::move(description))
    {
    }

    int32_t Number() const noexcept { return m_number; }
    const std::string& Source() const noexcept { return m_source; }
    const std::string& Description() const noexcept { return m_description; }

private:
    int32_t m_number;
    std::string m_source;
    std::string m_description;
};

// Numbers of the platform-style failures that are not the engine's own.
namespace ErrorNumber {
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t FileNotFound = 53;
inline constexpr int32_t InputPastEndOfFile = 62;
inline constexpr int32_t FileAccessError = 75;
} // namespace ErrorNumber

inline YomariError OverflowError(const std::string& source)
{
    return YomariError(ErrorNumber::Overflow, source, "オーバーフローしました。");
}

inline YomariError SubscriptError(const std::string& source)
{
    return YomariError(ErrorNumber::SubscriptOutOfRange, source, "インデックスが有効範囲にありません。");
}

} // namespace yomari
