#pragma once
// The fuzz targets' own reference arithmetic and text forms for Gregorian dates, written apart
// from the code under test so that the two can be compared: day numbers, weekdays, month
// lengths, the eras, and the full-width spelling of a text.

#include <cstdint>
#include <string>
#include <string_view>

namespace velunta::fuzz {

struct CivilDate {
  int year;
  int month;
  int day;

  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

constexpr bool IsLeapYear(long long y) noexcept {
  return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

constexpr int DaysInMonth(long long y, int m) noexcept {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Returns whether the numbers name a real date of the years 1..9999.
constexpr bool IsRealDate(long long y, long long m, long long d) noexcept {
  return y >= 1 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 &&
         d <= DaysInMonth(y, static_cast<int>(m));
}

// Returns the number of days from 1970-01-01 to a date (proleptic Gregorian), by counting whole
// 400-year cycles, then years, then months; valid for years 1..9999.
constexpr long long DayNumber(CivilDate date) noexcept {
  constexpr long long kDaysPer400Years = 146097;
  long long days = 0;
  const long long y = date.year - 1;  // whole years before the date: [0, 9998]
  days += (y / 400) * kDaysPer400Years;
  for (long long year = y / 400 * 400 + 1; year < date.year; ++year) {
    days += IsLeapYear(year) ? 366 : 365;
  }
  for (int m = 1; m < date.month; ++m) days += DaysInMonth(date.year, m);
  days += date.day - 1;                   // days since 0001-01-01
  constexpr long long kDay1970 = 719162;  // 0001-01-01 .. 1970-01-01
  return days - kDay1970;
}

// Returns 1 (Sunday) .. 7 (Saturday); 1970-01-01 was a Thursday.
constexpr int WeekdayNumber(CivilDate date) noexcept {
  const long long n = DayNumber(date);
  const long long fromThursday = ((n % 7) + 7) % 7;
  return static_cast<int>((fromThursday + 4) % 7) + 1;
}

static_assert(DayNumber({1970, 1, 1}) == 0);
static_assert(DayNumber({2000, 3, 1}) == 11017);
static_assert(WeekdayNumber({2005, 1, 1}) == 7);    // a Saturday
static_assert(WeekdayNumber({1899, 12, 31}) == 1);  // a Sunday

// The eras a date text may name: kanji name, letter, the Gregorian year of the era's first year
// and the first day a date in it is read (明治 only from the Gregorian 1873).
struct EraFacts {
  std::string_view kanji;
  char letter;
  int firstYear;
  CivilDate firstDay;
};

inline constexpr EraFacts kEraFacts[] = {
    {"明治", 'M', 1868, {1873, 1, 1}},   {"大正", 'T', 1912, {1912, 7, 30}},
    {"昭和", 'S', 1926, {1926, 12, 25}}, {"平成", 'H', 1989, {1989, 1, 8}},
    {"令和", 'R', 2019, {2019, 5, 1}},
};

constexpr bool Before(CivilDate a, CivilDate b) noexcept {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

// Returns the era a date lies in, or nullptr before 1873-01-01.
constexpr const EraFacts* EraOf(CivilDate date) noexcept {
  const EraFacts* found = nullptr;
  for (const EraFacts& era : kEraFacts) {
    if (!Before(date, era.firstDay)) found = &era;
  }
  return found;
}

// Returns the text with each printable ASCII character replaced by its full-width form
// (U+FF01..U+FF5E) and each space by the ideographic space U+3000, as a Japanese input method
// types them; every other byte is kept.
inline std::string FullWidth(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') {
      out += "\xE3\x80\x80";
    } else if (byte >= 0x21 && byte <= 0x7E) {
      const unsigned code = 0xFF01U + (byte - 0x21U);  // three UTF-8 bytes: EF BC/BD xx
      out += static_cast<char>(0xE0U | (code >> 12));
      out += static_cast<char>(0x80U | ((code >> 6) & 0x3FU));
      out += static_cast<char>(0x80U | (code & 0x3FU));
    } else {
      out += c;
    }
  }
  return out;
}

// Returns a number written in decimal, zero-padded to at least `width` digits.
inline std::string Decimal(long long value, int width = 1) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < width) {
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  }
  return value < 0 ? "-" + digits : digits;
}

}  // namespace velunta::fuzz
