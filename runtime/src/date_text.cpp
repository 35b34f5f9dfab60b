#include "velunta/runtime/date_text.h"

#include <iterator>

#include "text_scan.h"
#include "velunta/runtime/failure.h"

namespace velunta::runtime {
namespace {

using namespace std::chrono_literals;
using detail::DigitValue;

constexpr int kMaxYearDigits = 4;
constexpr int kMaxMonthDayDigits = 2;

// A Japanese era: its letter, its two-kanji name, the Gregorian year of its first year and the
// first day from which a date in it is accepted. Each era ends the day before the next begins.
struct Era {
  char32_t letter;
  char32_t name1;
  char32_t name2;
  int firstYear;
  std::chrono::year_month_day firstDay;
};

constexpr Era kEras[] = {
    // Meiji began in 1868, but dates are Gregorian only from 明治6年 (1873) on.
    {U'M', U'明', U'治', 1868, 1873y / 1 / 1},   {U'T', U'大', U'正', 1912, 1912y / 7 / 30},
    {U'S', U'昭', U'和', 1926, 1926y / 12 / 25}, {U'H', U'平', U'成', 1989, 1989y / 1 / 8},
    {U'R', U'令', U'和', 2019, 2019y / 5 / 1},  // runs to the year 9999
};

constexpr char32_t kYearMark = U'年';
constexpr char32_t kMonthMark = U'月';
constexpr char32_t kDayMark = U'日';
constexpr char32_t kFirstYearOfEra = U'元';

constexpr char32_t ToUpperAscii(char32_t c) noexcept {
  return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
}

// Reads an era name, a letter in either case or two kanji; returns the era, or nothing when
// the text does not start with one.
template <class Scanner>
const Era* ReadEra(Scanner& scan) noexcept {
  const char32_t first = scan.Next();
  const char32_t letter = ToUpperAscii(first);
  for (const Era& era : kEras) {
    if (letter == era.letter) return &era;
  }
  const char32_t second = scan.Next();
  for (const Era& era : kEras) {
    if (first == era.name1 && second == era.name2) return &era;
  }
  return nullptr;
}

// Reads 1..maxDigits decimal digits; returns their value, or -1 when there is no digit or more
// than maxDigits. A longer run is refused even when its extra digits are leading zeros
// (00005/1/1): a year has at most four digits, a month or day two, however it is padded.
template <class Scanner>
int ReadNumber(Scanner& scan, int maxDigits) noexcept {
  int value = 0;
  int digits = 0;
  for (int digit = DigitValue(scan.Peek()); digit >= 0; digit = DigitValue(scan.Peek())) {
    if (++digits > maxDigits) return -1;
    value = value * 10 + digit;  // at most 9999
    scan.Next();
  }
  return digits == 0 ? -1 : value;
}

bool IsSeparator(char32_t c) noexcept {
  return c == U'/' || c == U'-' || c == U'.';
}

// What the parsers return for no date: month 0 makes it never ok(). They return a plain
// year_month_day, which travels in one register, rather than a std::optional or an
// out-argument written piecemeal: on the hot path either costs more than the whole parse.
constexpr std::chrono::year_month_day kNoDate{};

// Returns the date of year, month and day, or kNoDate when they name no date in 1..9999.
std::chrono::year_month_day MakeDate(int year, int month, int day) noexcept {
  std::chrono::year_month_day date = kNoDate;
  TryMakeDate(year, month, day, date);
  return date;
}

// Returns the date a text names, or kNoDate when it names none. One grammar for two
// scanners: the plain-ASCII one and the one that decodes UTF-8 and folds full-width forms.
template <class Scanner>
std::chrono::year_month_day ParseWith(std::string_view text) noexcept {
  Scanner scan(text);
  scan.SkipBlanks();
  if (scan.AtEnd()) return kNoDate;

  // Digits start a plain Gregorian year; anything else must be an era.
  const Era* era = nullptr;
  if (DigitValue(scan.Peek()) < 0) {
    era = ReadEra(scan);
    if (era == nullptr) return kNoDate;
  }
  const int yearNumber =
      (era != nullptr && scan.Take(kFirstYearOfEra)) ? 1 : ReadNumber(scan, kMaxYearDigits);
  if (yearNumber < 0) return kNoDate;

  // 2005年5月4日 marks each part; 2005/5/4, 2005-5-4 and 2005.5.4 repeat one separator.
  const char32_t separator = scan.Next();
  int month = -1;
  int day = -1;
  if (separator == kYearMark) {
    month = ReadNumber(scan, kMaxMonthDayDigits);
    if (month < 0 || !scan.Take(kMonthMark)) return kNoDate;
    day = ReadNumber(scan, kMaxMonthDayDigits);
    if (day < 0 || !scan.Take(kDayMark)) return kNoDate;
  } else if (IsSeparator(separator)) {
    month = ReadNumber(scan, kMaxMonthDayDigits);
    if (month < 0 || !scan.Take(separator)) return kNoDate;
    day = ReadNumber(scan, kMaxMonthDayDigits);
    if (day < 0) return kNoDate;
  } else {
    return kNoDate;
  }
  if (!scan.OnlyBlanksLeft()) return kNoDate;

  if (era == nullptr) return MakeDate(yearNumber, month, day);

  // Era year n is the Gregorian year (first year + n - 1); the date must lie in the era, which
  // ends the day before the next one begins.
  if (yearNumber < 1) return kNoDate;
  const auto date = MakeDate(era->firstYear + yearNumber - 1, month, day);
  if (!date.ok() || date < era->firstDay) return kNoDate;
  const Era* next = era + 1;
  if (next != std::end(kEras) && date >= next->firstDay) return kNoDate;
  return date;
}

std::chrono::year_month_day Parse(std::string_view text) noexcept {
  // Most texts are plain ASCII, so read them as such first. A byte above 0x7F matches nothing
  // in the grammar, so a date found this way is what the full reader would find; only a text
  // refused here that holds such bytes needs the full reader.
  const auto date = ParseWith<detail::AsciiScanner>(text);
  if (date.ok() || detail::IsAscii(text)) return date;
  return ParseWith<detail::TextScanner>(text);
}

std::chrono::year_month_day ParseOrFail(std::string_view text) {
  const auto date = Parse(text);
  if (!date.ok()) throw Failure("the text names no date");
  return date;
}

}  // namespace

bool TryParseDate(std::string_view text, std::chrono::year_month_day& date) noexcept {
  const auto parsed = Parse(text);
  if (!parsed.ok()) return false;
  date = parsed;
  return true;
}

bool IsDate(std::string_view text) noexcept {
  return Parse(text).ok();
}

std::int16_t YearOf(std::string_view text) {
  return static_cast<std::int16_t>(static_cast<int>(ParseOrFail(text).year()));  // 1..9999
}

std::int16_t MonthOf(std::string_view text) {
  return static_cast<std::int16_t>(static_cast<unsigned>(ParseOrFail(text).month()));
}

std::int16_t DayOf(std::string_view text) {
  return static_cast<std::int16_t>(static_cast<unsigned>(ParseOrFail(text).day()));
}

std::int16_t WeekdayOf(std::string_view text) {
  return WeekdayNumber(ParseOrFail(text));
}

}  // namespace velunta::runtime
