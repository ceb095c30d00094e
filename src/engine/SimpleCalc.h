#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace yomari {

class CYomari;

// The simple edition's arithmetic: Western year <-> year of the four newest
// eras, in 16-bit years as that window always counted. It answers the year,
// the unit and the note line; the window only shows them.
class SimpleCalc {
public:
    static constexpr int kEraCount = 4;

    struct Era {
        std::string name;
        int32_t firstYear = 0; // first Western year
    };
    // Index 0 the oldest of the four eras (明治), 3 the newest.
    using Eras = std::array<Era, kEraCount>;

    struct Answer {
        enum class Kind {
            Result,  // show year and unit (year 0: none) and the note
            Refused, // show the note, keep the input for correcting
            Cleared, // show the note, clear the input too
        };
        Kind kind = Kind::Result;
        int16_t year = 0;
        std::string unit;
        std::string note;
    };

    explicit SimpleCalc(const Eras& eras);
    // The four newest eras of the engine's table; raises its errors.
    static Eras FromEngine(const CYomari& engine);

    // False when the eras do not fit the 16-bit arithmetic (a first year
    // beyond 16 bits, or an era starting before the one it follows).
    bool Usable() const { return m_usable; }
    const std::string& Name(int era) const { return m_eras[era].name; }

    // A year of era (0..3, -1 for none chosen) as a Western year.
    Answer EraToWestern(int era, int16_t input) const;
    // A Western year as a year of one of the four eras.
    Answer WesternToEra(int16_t input) const;

    // The note-line texts for what the arithmetic cannot answer.
    static const char* InputTooLarge();
    static const char* ResultTooLarge();
    static const char* OutOfRange();
    static const char* InvalidInput();
    static const char* NoEra();
    static const char* BadEraData();

private:
    static Answer Refuse(const char* note);
    // Index 0 the first year of the oldest era, 1..4 the eras' lengths
    // (the change-over year counted in both eras), the newest open-ended.
    std::array<int16_t, kEraCount + 1> m_lengths{};
    Eras m_eras;
    bool m_usable = false;
};

} // namespace yomari
