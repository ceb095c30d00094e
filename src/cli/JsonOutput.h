#pragma once

// yomari-cli's JSON Lines: one object per answer, always valid UTF-8 whatever
// bytes the query held.

#include "engine/DateQuery.h"
#include "engine/DayQuery.h"
#include "engine/TextTable.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace yomari {

// A JSON string literal: malformed UTF-8 becomes U+FFFD, control characters
// are escaped.
void AppendJsonString(std::string_view text, std::string& out);

// Writes one object's members in order, with the commas between them, so no
// answer can lose a separator or a quote. Keys are written as JSON strings.
class JsonObject {
public:
    explicit JsonObject(std::string& out);
    JsonObject& String(std::string_view key, std::string_view value);
    JsonObject& Int(std::string_view key, int64_t value);
    JsonObject& Bool(std::string_view key, bool value);
    JsonObject& Null(std::string_view key);
    // Starts a member whose value the caller writes into the returned buffer.
    std::string& Member(std::string_view key);
    void End();

private:
    std::string& m_out;
    bool m_first = true;
};

// One object without its line end; line is "n" or "s".
void AppendAnswerJson(std::string_view query, const DateAnswer& answer, std::string_view line,
                      std::string& out);
// A day: query, type, line, answer, jdn, julian, gregorian, western,
// westernYear, era, also, otherLine, lunisolar, dayKanshi, kanshi, exact,
// notes. `era`, `also`, `lunisolar` are null where there is none.
void AppendDayAnswerJson(std::string_view query, const DayAnswer& answer, std::string_view line,
                         std::string& out);
void AppendErrorJson(std::string_view query, std::string_view error, std::string& out);

// One object per row, keyed by the column headers, each ending in a line end.
void AppendTableJson(const TextTable& table, std::string& out);

} // namespace yomari
