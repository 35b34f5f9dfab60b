#pragma once
// A second reader and writer of date texts, written straight from the documented forms for
// comparison with the date service. The reader decodes the UTF-8 strictly, folds full-width
// forms, trims blanks, then matches one of the forms on whole code points. Slow and plain on
// purpose.

#include <optional>
#include <string>
#include <string_view>

#include "../common/civil.h"

namespace velunta::fuzz {

// Returns the code points of a text, or nothing when it is no well-formed UTF-8 (stray or
// missing continuation bytes, overlong forms, surrogates, values beyond U+10FFFF).
inline std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t size = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
      size = 1, c = lead;
    } else if ((lead & 0xE0U) == 0xC0U) {
      size = 2, c = lead & 0x1FU, smallest = 0x80;
    } else if ((lead & 0xF0U) == 0xE0U) {
      size = 3, c = lead & 0x0FU, smallest = 0x800;
    } else if ((lead & 0xF8U) == 0xF0U) {
      size = 4, c = lead & 0x07U, smallest = 0x10000;
    } else {
      return std::nullopt;
    }
    if (text.size() - at < size) return std::nullopt;
    for (std::size_t i = 1; i < size; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0U) != 0x80U) return std::nullopt;
      c = (c << 6) | (next & 0x3FU);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out += c;
    at += size;
  }
  return out;
}

// Returns the date a text names in an accepted form, or nothing.
inline std::optional<CivilDate> ReferenceReadDate(std::string_view bytes) {
  auto decoded = DecodeUtf8(bytes);
  if (!decoded) return std::nullopt;
  std::u32string text;
  for (const char32_t c : *decoded) {
    if (c >= 0xFF01 && c <= 0xFF5E) {
      text += static_cast<char32_t>(c - 0xFEE0);  // full-width ASCII
    } else if (c == 0x3000) {
      text += U' ';  // ideographic space
    } else {
      text += c;
    }
  }
  const auto isBlank = [](char32_t c) { return c == U' ' || c == U'\t'; };
  while (!text.empty() && isBlank(text.front())) text.erase(0, 1);
  while (!text.empty() && isBlank(text.back())) text.pop_back();

  std::size_t at = 0;
  const auto digits = [&](std::size_t most) -> std::optional<int> {
    const std::size_t from = at;
    int value = 0;
    while (at < text.size() && text[at] >= U'0' && text[at] <= U'9') {
      value = value * 10 + static_cast<int>(text[at] - U'0');
      if (++at - from > most) return std::nullopt;
    }
    if (at == from) return std::nullopt;
    return value;
  };
  const auto take = [&](char32_t wanted) {
    if (at >= text.size() || text[at] != wanted) return false;
    ++at;
    return true;
  };

  // An era: a letter in either case or its two kanji.
  const EraFacts* era = nullptr;
  for (const EraFacts& candidate : kEraFacts) {
    const auto kanji = DecodeUtf8(candidate.kanji);
    const char32_t upper = static_cast<unsigned char>(candidate.letter);
    if (!text.empty() && (text[0] == upper || text[0] == upper + (U'a' - U'A'))) {
      era = &candidate, at = 1;
    } else if (text.compare(0, 2, *kanji) == 0) {
      era = &candidate, at = 2;
    }
  }
  std::optional<int> year;
  if (era != nullptr && take(U'元')) {
    year = 1;
  } else {
    year = digits(4);
  }
  if (!year) return std::nullopt;

  std::optional<int> month, day;
  if (take(U'年')) {
    month = digits(2);
    if (!month || !take(U'月')) return std::nullopt;
    day = digits(2);
    if (!day || !take(U'日')) return std::nullopt;
  } else if (at < text.size() && (text[at] == U'/' || text[at] == U'-' || text[at] == U'.')) {
    const char32_t separator = text[at++];
    month = digits(2);
    if (!month || !take(separator)) return std::nullopt;
    day = digits(2);
    if (!day) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (at != text.size()) return std::nullopt;

  if (era != nullptr) {
    if (*year < 1) return std::nullopt;
    *year += era->firstYear - 1;
  }
  if (!IsRealDate(*year, *month, *day)) return std::nullopt;
  const CivilDate date{*year, *month, *day};
  if (era != nullptr) {
    // Within the era: from its first day to the day before the next era's.
    if (Before(date, era->firstDay)) return std::nullopt;
    if (era + 1 != std::end(kEraFacts) && !Before(date, (era + 1)->firstDay)) return std::nullopt;
  }
  return date;
}

// Returns a date written by a pattern as FormatDate documents it: YYYY, MM, M, DD, D, w and aaa
// (letters in either case), every other byte copied.
inline std::string ReferenceFormat(CivilDate date, std::string_view pattern) {
  static constexpr std::string_view kKanji[] = {"日", "月", "火", "水", "木", "金", "土"};
  const auto lower = [&](std::size_t at) {
    const char c = pattern[at];
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  const auto repeats = [&](std::size_t at, char letter, std::size_t count) {
    if (pattern.size() - at < count) return false;
    for (std::size_t i = 0; i < count; ++i) {
      if (lower(at + i) != letter) return false;
    }
    return true;
  };
  std::string out;
  for (std::size_t at = 0; at < pattern.size();) {
    if (repeats(at, 'y', 4)) {
      out += Decimal(date.year, 4), at += 4;
    } else if (repeats(at, 'm', 2)) {
      out += Decimal(date.month, 2), at += 2;
    } else if (repeats(at, 'm', 1)) {
      out += Decimal(date.month), at += 1;
    } else if (repeats(at, 'd', 2)) {
      out += Decimal(date.day, 2), at += 2;
    } else if (repeats(at, 'd', 1)) {
      out += Decimal(date.day), at += 1;
    } else if (repeats(at, 'w', 1)) {
      out += Decimal(WeekdayNumber(date)), at += 1;
    } else if (repeats(at, 'a', 3)) {
      out += kKanji[WeekdayNumber(date) - 1], at += 3;
    } else {
      out += pattern[at++];
    }
  }
  return out;
}

}  // namespace velunta::fuzz
