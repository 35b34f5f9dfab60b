// The fuzz targets' reference arithmetic, reader, writer and rounding against facts taken from
// std::chrono and from the documented forms: a fault here would hide faults in the code under
// test, or report ones that are not there.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "../date_text/reference_date.h"
#include "../number_text/reference_number.h"
#include "civil.h"

namespace velunta::fuzz {
namespace {

using namespace std::chrono;

std::optional<std::int16_t> ReferenceToInt16(std::string_view text) {
  const auto decimal = ReadDecimal(Fold(text));
  return decimal ? RoundToInt16(*decimal) : std::nullopt;
}

TEST(ReferenceCivil, DayNumbersAndWeekdaysAgreeWithChrono) {
  // Every first of a month of 1..9999, and every day of 1899..2101.
  for (int y = 1; y <= 9999; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const sys_days expected{year{y} / month{static_cast<unsigned>(m)} / 1};
      ASSERT_EQ(DayNumber({y, m, 1}), expected.time_since_epoch().count()) << y << "-" << m;
    }
  }
  for (sys_days d{1899y / 1 / 1}; d <= sys_days{2101y / 12 / 31}; d += days{1}) {
    const year_month_day ymd{d};
    const CivilDate civil{static_cast<int>(ymd.year()), static_cast<int>(unsigned{ymd.month()}),
                          static_cast<int>(unsigned{ymd.day()})};
    ASSERT_EQ(DayNumber(civil), d.time_since_epoch().count());
    ASSERT_EQ(WeekdayNumber(civil), static_cast<int>(weekday{d}.c_encoding()) + 1);
  }
}

TEST(ReferenceCivil, RealDatesAreChronosValidDates) {
  for (const int y : {0, 1, 4, 100, 1900, 2000, 2004, 2005, 9999, 10000}) {
    for (int m = 0; m <= 13; ++m) {
      for (int d = 0; d <= 32; ++d) {
        const bool ok =
            y >= 1 && y <= 9999 &&
            year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}
                .ok();
        ASSERT_EQ(IsRealDate(y, m, d), ok) << y << "-" << m << "-" << d;
      }
    }
  }
}

TEST(ReferenceCivil, ErasBeginOnTheirFirstDays) {
  const struct {
    CivilDate date;
    char era;  // 0: none
  } kCases[] = {
      {{1872, 12, 31}, 0},   {{1873, 1, 1}, 'M'},   {{1912, 7, 29}, 'M'},  {{1912, 7, 30}, 'T'},
      {{1926, 12, 24}, 'T'}, {{1926, 12, 25}, 'S'}, {{1989, 1, 7}, 'S'},   {{1989, 1, 8}, 'H'},
      {{2019, 4, 30}, 'H'},  {{2019, 5, 1}, 'R'},   {{9999, 12, 31}, 'R'},
  };
  for (const auto& row : kCases) {
    const EraFacts* era = EraOf(row.date);
    EXPECT_EQ(era == nullptr ? 0 : era->letter, row.era) << row.date.year << "-" << row.date.month;
  }
}

TEST(ReferenceCivil, FullWidthTurnsPrintableAsciiAndSpaces) {
  EXPECT_EQ(FullWidth("H17/5-4 ."), "Ｈ１７／５－４　．");
  EXPECT_EQ(FullWidth("a~!"), "ａ～！");
  EXPECT_EQ(FullWidth("\t年\xFF"), "\t年\xFF");
}

TEST(ReferenceDateReader, ReadsTheDocumentedForms) {
  const struct {
    std::string_view text;
    std::optional<CivilDate> date;
  } kCases[] = {
      {"2005/5/4", CivilDate{2005, 5, 4}},
      {"2005/05/04", CivilDate{2005, 5, 4}},
      {"2005-05-04", CivilDate{2005, 5, 4}},
      {"2005.5.4", CivilDate{2005, 5, 4}},
      {"2005年5月4日", CivilDate{2005, 5, 4}},
      {"平成17年5月4日", CivilDate{2005, 5, 4}},
      {"H17/5/4", CivilDate{2005, 5, 4}},
      {"h17.5.4", CivilDate{2005, 5, 4}},
      {"ｈ１７．５．４", CivilDate{2005, 5, 4}},
      {"令和元年5月1日", CivilDate{2019, 5, 1}},
      {"R元/5/1", CivilDate{2019, 5, 1}},
      {"２００５／０５／０４", CivilDate{2005, 5, 4}},
      {" \t2005/5/4　", CivilDate{2005, 5, 4}},
      {"05/1/1", CivilDate{5, 1, 1}},
      {"明治6年1月1日", CivilDate{1873, 1, 1}},
      {"R7981/12/31", CivilDate{9999, 12, 31}},
      {"H0017/5/4", CivilDate{2005, 5, 4}},
      {"平成31年5月1日", std::nullopt},   // after 平成 ended
      {"明治5年12月31日", std::nullopt},  // before the Gregorian calendar
      {"R7982/1/1", std::nullopt},        // the year 10000
      {"H0/1/8", std::nullopt},
      {"元/1/1", std::nullopt},
      {"2005/2/30", std::nullopt},
      {"2005/5-4", std::nullopt},
      {"00005/1/1", std::nullopt},
      {"2005/005/4", std::nullopt},
      {"2005 /5/4", std::nullopt},
      {"2005年5月4", std::nullopt},
      {"2005/5/4/", std::nullopt},
      {"\xC0\xAF", std::nullopt},              // an overlong "/"
      {"2005\xED\xA0\x80/5/4", std::nullopt},  // a surrogate
      {"", std::nullopt},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ReferenceReadDate(row.text), row.date);
  }
}

TEST(ReferenceDateWriter, WritesEachPatternElement) {
  const struct {
    std::string_view pattern;
    CivilDate date;
    std::string_view text;
  } kCases[] = {
      {"YYYY/MM/DD", {2005, 5, 4}, "2005/05/04"},
      {"yyyy年m月d日(aaa)", {2005, 5, 4}, "2005年5月4日(水)"},
      {"w", {2005, 5, 4}, "4"},
      {"W AAA", {1899, 12, 31}, "1 日"},
      {"YYYY", {1, 1, 1}, "0001"},
      {"YYY-Aa", {2005, 5, 4}, "YYY-Aa"},
      {"mmm/DDD", {2005, 11, 23}, "1111/2323"},
      {"M.D", {2005, 11, 3}, "11.3"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.pattern);
    EXPECT_EQ(ReferenceFormat(row.date, row.pattern), row.text);
  }
}

TEST(ReferenceNumber, RoundsHalfToEvenWithinSixteenBits) {
  const struct {
    std::string_view text;
    std::optional<std::int16_t> value;
  } kCases[] = {
      {"2004.5", 2004},
      {"2005.5", 2006},
      {"-2.5", -2},
      {"-3.5", -4},
      {"0.5", 0},
      {".5", 0},
      {"1.", 1},
      {"0.50000000000000000001", 1},
      {"0.49999999999999999999", 0},
      {"2.500", 2},
      {"32767.4", 32767},
      {"32767.5", std::nullopt},
      {"-32768.5", -32768},
      {"-32768.500001", std::nullopt},
      {"-32769", std::nullopt},
      {"000000000032767", 32767},
      {"99999.9", std::nullopt},
      {"1000000", std::nullopt},
      {"２００５", 2005},
      {"－１．５", -2},
      {"　42\t", 42},
      {"+7", 7},
      {"-0", 0},
      {"1e5", std::nullopt},
      {".", std::nullopt},
      {"+-1", std::nullopt},
      {"1 2", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ReferenceToInt16(row.text), row.value);
  }
}

TEST(ReferenceNumber, ReadsOnlyNumericTexts) {
  for (const std::string_view text : {"1", " -1.5 ", "+.5", "５．", "0000"}) {
    EXPECT_TRUE(ReadDecimal(Fold(text)).has_value()) << text;
  }
  for (const std::string_view text :
       {"", " ", "-", "+.", "1,0", "0x1", "1-", "５\xEF\xBC", "\xEF\xBC\x8F"}) {
    EXPECT_FALSE(ReadDecimal(Fold(text)).has_value()) << text;
  }
}

}  // namespace
}  // namespace velunta::fuzz
