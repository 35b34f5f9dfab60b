#pragma once
// How dates cross between JavaScript and the engine: as one whole number YYYYMMDD (20260506),
// which a JavaScript number holds exactly and embind passes without allocating. 0 is no date:
// the sentinel of a refused call.

#include <chrono>
#include <optional>
#include <string>

namespace velunta::js {

// Returns the date as YYYYMMDD. Example: 2026-05-06 -> 20260506.
int Packed(std::chrono::year_month_day date) noexcept;

// Returns the covered date a packed number names, or nothing after keeping the date reader's
// refusal (not a date, out of range) for LastRefusal(). Example: 20230229 -> nothing, "not a
// date: '2023-02-29'; accepted: ...".
std::optional<std::chrono::year_month_day> Unpacked(int packed);

// Returns a packed date as the ISO text the refusals quote: 20230229 -> "2023-02-29".
std::string PackedText(int packed);

// Returns a whole number JavaScript passed as a double, written as a person types it, for the
// count readers to read and refuse in their words: 1e10 -> "10000000000".
std::string WholeText(double number);

}  // namespace velunta::js
