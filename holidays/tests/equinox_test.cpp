#include <cstdint>
#include <limits>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

namespace {

using Mdl_Velunta::GetAutumnalEquinoxDay;
using Mdl_Velunta::GetVernalEquinoxDay;

TEST(Equinox, YearsOnBothSidesOfEveryBand) {
  const struct {
    std::int16_t year;
    std::int16_t vernal;
    std::int16_t autumnal;
    std::int16_t result;
  } kCases[] = {
      {1899, 0, 0, 0},    {1900, 21, 23, -1}, {1901, 21, 24, -1}, {1903, 22, 24, -1},
      {1927, 21, 24, -1},  // vernal sum minus leap term 21.999418
      {1979, 21, 24, -1}, {1980, 20, 23, -1}, {2000, 20, 23, -1}, {2005, 20, 23, -1},
      {2012, 20, 22, -1}, {2088, 20, 22, -1},  // vernal sum 47.000052
      {2092, 19, 22, -1}, {2099, 20, 23, -1}, {2100, 0, 0, 0},    {-1, 0, 0, 0},
      {0, 0, 0, 0},       {32767, 0, 0, 0},   {-32768, 0, 0, 0},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.year);
    std::int16_t day = 99;
    EXPECT_EQ(GetVernalEquinoxDay(row.year, day), row.result);
    EXPECT_EQ(day, row.vernal);
    day = 99;
    EXPECT_EQ(GetAutumnalEquinoxDay(row.year, day), row.result);
    EXPECT_EQ(day, row.autumnal);
  }
}

// The fit with its constants scaled to millionths, in exact integer arithmetic: the double
// computation must agree with it in every year (no value lies within 0.000052 of an integer).
struct ExactFit {
  long long vernalEarly, vernalLate, autumnalEarly, autumnalLate;
};
constexpr ExactFit kMillionths{20'835'700, 20'843'100, 23'258'800, 23'248'800};
constexpr long long kDriftMillionths = 242'194;
constexpr long long kMillion = 1'000'000;

long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

int ExactDay(int year, long long earlyBase, long long lateBase) {
  const long long k = year - 1980;
  if (year <= 1979) {
    const long long sum = k * kDriftMillionths + earlyBase;       // positive over 1900-1979
    return static_cast<int>(sum / kMillion - (year - 1983) / 4);  // C++ division truncates
  }
  return static_cast<int>(FloorDiv(k * kDriftMillionths + lateBase, kMillion) - FloorDiv(k, 4));
}

TEST(Equinox, EveryYearAgreesWithExactArithmetic) {
  for (int year = 1900; year <= 2099; ++year) {
    SCOPED_TRACE(year);
    const auto y = static_cast<std::int16_t>(year);
    std::int16_t vernal = 0;
    std::int16_t autumnal = 0;
    ASSERT_EQ(GetVernalEquinoxDay(y, vernal), -1);
    ASSERT_EQ(GetAutumnalEquinoxDay(y, autumnal), -1);
    EXPECT_EQ(vernal, ExactDay(year, kMillionths.vernalEarly, kMillionths.vernalLate));
    EXPECT_EQ(autumnal, ExactDay(year, kMillionths.autumnalEarly, kMillionths.autumnalLate));
  }
}

TEST(Equinox, EverySixteenBitYear) {
  int vernal19 = 0;
  int vernal22 = 0;
  for (int year = std::numeric_limits<std::int16_t>::min();
       year <= std::numeric_limits<std::int16_t>::max(); ++year) {
    const auto y = static_cast<std::int16_t>(year);
    const bool inRange = year >= 1900 && year <= 2099;
    std::int16_t vernal = -7;
    std::int16_t autumnal = -7;
    const auto vernalResult = GetVernalEquinoxDay(y, vernal);
    const auto autumnalResult = GetAutumnalEquinoxDay(y, autumnal);
    if (!inRange) {
      ASSERT_EQ(vernalResult, 0) << year;
      ASSERT_EQ(autumnalResult, 0) << year;
      ASSERT_EQ(vernal, 0) << year;
      ASSERT_EQ(autumnal, 0) << year;
      continue;
    }
    ASSERT_EQ(vernalResult, -1) << year;
    ASSERT_EQ(autumnalResult, -1) << year;
    ASSERT_GE(vernal, 19) << year;
    ASSERT_LE(vernal, 22) << year;
    ASSERT_GE(autumnal, 22) << year;
    ASSERT_LE(autumnal, 24) << year;
    if (vernal == 19) vernal19 += year == 2092 || year == 2096 ? 1 : 100;
    if (vernal == 22) vernal22 += (year >= 1903 && year <= 1923 && year % 4 == 3) ? 1 : 100;
  }
  EXPECT_EQ(vernal19, 2);  // only 2092 and 2096
  EXPECT_EQ(vernal22, 6);  // only 1903, 1907, 1911, 1915, 1919 and 1923
}

TEST(Equinox, YearAndDayMayBeOneVariable) {
  std::int16_t both = 2005;
  EXPECT_EQ(GetVernalEquinoxDay(both, both), -1);
  EXPECT_EQ(both, 20);
}

}  // namespace
