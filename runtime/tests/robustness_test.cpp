// Texts assembled at random from the pieces the parsers look for, and from bytes that are no
// UTF-8: every service answers consistently and nothing but Failure ever leaves a call.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "velunta/runtime/date_text.h"
#include "velunta/runtime/date_value.h"
#include "velunta/runtime/failure.h"
#include "velunta/runtime/number_text.h"

namespace velunta::runtime {
namespace {

constexpr int kTexts = 200000;
constexpr int kMaxReported = 10;

// Half the texts are date-shaped (an optional era, year, separator, month, separator, day)
// with up to two pieces changed, inserted or dropped; the other half are any pieces at all.
std::string RandomText(std::mt19937& random) {
  static constexpr std::string_view kPieces[] = {
      "2005", "5",  "05", "1",   "0",  "31",   "12", "9999",     "10000",    "00005",
      "/",    "-",  ".",  "年",  "月", "日",   "元", "平成",     "令和",     "明治",
      "H",    "h",  "R",  "M",   " ",  "　",   "\t", "２",       "０",       "／",
      "－",   "．", "＋", "+",   "e",  "\xFF", "64", "\xC0\xAF", "\xEF\xBC", "\xE5\xB9",
      "",     "9",  "45", "2.5", "30", "29",   "2",  "7",        "8",        "4",
  };
  constexpr std::size_t kPieceCount = std::size(kPieces);
  const auto pick = [&random](std::size_t first, std::size_t last) {
    return std::uniform_int_distribution<std::size_t>(first, last)(random);
  };
  std::vector<std::string_view> pieces;
  if (pick(0, 1) == 0) {
    static constexpr std::string_view kEras[] = {"", "", "平成", "令和", "明治", "H", "h", "R"};
    static constexpr std::string_view kYears[] = {"2005", "1", "元", "31", "64", "45", "9999"};
    static constexpr std::string_view kMonths[] = {"1", "2", "05", "12", "4", "7"};
    static constexpr std::string_view kDays[] = {"1", "29", "30", "31", "04", "8", "7"};
    static constexpr std::string_view kSeparators[] = {"/", "-", ".", "／", "年"};
    const std::string_view separator = kSeparators[pick(0, std::size(kSeparators) - 1)];
    const bool kanji = separator == "年";
    pieces = {kEras[pick(0, std::size(kEras) - 1)],
              kYears[pick(0, std::size(kYears) - 1)],
              separator,
              kMonths[pick(0, std::size(kMonths) - 1)],
              kanji ? "月" : separator,
              kDays[pick(0, std::size(kDays) - 1)],
              kanji ? "日" : ""};
    for (std::size_t changes = pick(0, 2); changes > 0; --changes) {
      const std::size_t at = pick(0, pieces.size() - 1);
      const std::string_view other = kPieces[pick(0, kPieceCount - 1)];
      switch (pick(0, 2)) {
        case 0:
          pieces[at] = other;
          break;
        case 1:
          pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(at), other);
          break;
        default:
          pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(at));
          break;
      }
      if (pieces.empty()) break;
    }
  } else {
    for (std::size_t i = pick(0, 9); i > 0; --i)
      pieces.push_back(kPieces[pick(0, kPieceCount - 1)]);
  }
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  // A NUL byte now and then, which a literal piece cannot hold.
  if (pick(0, 50) == 0) text.insert(pick(0, text.size()), 1, '\0');
  return text;
}

TEST(Robustness, RandomTextsGetConsistentAnswers) {
  std::mt19937 random(20050504);
  int mismatches = 0;
  int dates = 0;
  int numbers = 0;
  for (int i = 0; i < kTexts; ++i) {
    const std::string text = RandomText(random);
    const auto date = ParseDate(text);
    bool ok = date.has_value() == IsDate(text);
    try {
      const DateValue value = TextToDate(text);
      // A text that names a date names the same date once formatted and read back.
      ok = ok && date && ParseDate(FormatDate(value, "YYYY/MM/DD")) == date &&
           YearOf(text) == static_cast<int>(date->year());
      ++dates;
    } catch (const Failure&) {
      ok = ok && !date;
    }
    try {
      const std::int16_t number = TextToInt16(text);
      ok = ok && IsNumeric(text) && TextToInt16(Int16ToText(number)) == number;
      ++numbers;
    } catch (const Failure&) {
      // Refused, or a number outside the 16-bit range.
    }
    if (!ok && ++mismatches <= kMaxReported) ADD_FAILURE() << "text: " << text;
  }
  EXPECT_EQ(mismatches, 0);
  // The pieces do make dates and numbers now and then, so both paths were exercised.
  EXPECT_GT(dates, 1000);
  EXPECT_GT(numbers, 1000);
}

}  // namespace
}  // namespace velunta::runtime
