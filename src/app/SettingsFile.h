#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>

// The settings file beside the program: window positions, the main window's
// calculation mode and era choices, the options and the simple window's era.
// Values are read by position, not by key, so a renamed key still works.
namespace yomari::settings {

inline constexpr int kValueCount = 15;
// Digit limits of the year boxes: the smallest the program allows, and the
// largest that still means something for 32-bit years.
inline constexpr int32_t kMinTextLen = 4;
inline constexpr int32_t kMaxTextLen = 10;

struct Values {
    int32_t top = 0; // twips
    int32_t left = 0;
    int32_t calcMode = 1;
    int32_t inputIndex = 0;
    int32_t outputIndex = 6; // the first button of the second era group
    int32_t inputBeforeMeijiIndex = 0;
    int32_t outputBeforeMeijiIndex = 0;
    int32_t nanBokuMode = 0;
    int32_t appMode = 0;
    bool inSysTray = false;
    int32_t textLenMax = kMinTextLen;
    int32_t birthYearWhichCopy = 0;
    int32_t adGenTop = 0;
    int32_t adGenLeft = 0;
    int16_t selectedGengo = 3;
};

// Positions of the value lines, for the value that names them.
enum Slot {
    kTop,
    kLeft,
    kCalcMode,
    kInputIndex,
    kOutputIndex,
    kInputBeforeMeijiIndex,
    kOutputBeforeMeijiIndex,
    kNanBokuMode,
    kAppMode,
    kInSysTray,
    kTextLenMax,
    kBirthYearWhichCopy,
    kADGenTop,
    kADGenLeft,
    kSelectedGengo,
};

// A value the reader refused: its line in the file and its text, shortened
// for a message.
struct Problem {
    int line = 0;
    QString value;
    bool operator==(const Problem&) const = default;
};

// What the reader found, as data: the window decides how to tell the user.
// A refused value keeps its default and every other value is kept; a file
// that ends early keeps the values it has.
struct ReadResult {
    enum class Status { NoFile, Ok, Unreadable };
    Status status = Status::NoFile;
    Values values;
    // How many value lines were found (values past them keep their defaults),
    // the file line of each, and which of them were taken.
    int valueCount = 0;
    std::array<int, kValueCount> lineOf{};
    std::array<bool, kValueCount> taken{};
    QList<Problem> problems;
    // Status::Unreadable: why the file as a whole could not be read.
    QString fileError;

    bool Has(Slot slot) const { return taken[slot]; }
};

ReadResult Read(const QString& fileName);

// What the main window writes. The selections come from scanning the
// buttons, which may give more or fewer lines than one per group, so they are
// lists; the calculation mode and era indices of `values` are not used.
struct Snapshot {
    Values values;
    QList<int32_t> selectedCalcModes;  // each selected mode button
    QList<int32_t> selectedEraButtons; // each selected era button, 0..11 in order
};

QByteArray Format(const Snapshot& s);

// Writes the file whole through a temporary file beside it, so that a
// failure (a full disk) leaves the old file as it was and no temporary file
// behind. Answers an error text, or empty.
QString Write(const QString& fileName, const QByteArray& content);

// Removes temporary files of an earlier write that was killed before it
// could put its file in place ("Yomari.ini.AbC123" beside "Yomari.ini").
void RemoveStaleTemporaries(const QString& fileName);

} // namespace yomari::settings
