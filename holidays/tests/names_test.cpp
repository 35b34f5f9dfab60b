#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

namespace {

using Mdl_Velunta::GetHolidayName;

constexpr std::int16_t kPresetKind = -7;
const std::string kPresetName = "preset";

TEST(HolidayName, CodesAndWhatTheyWrite) {
  const struct {
    std::int16_t code;
    const char* name;  // kPresetName when untouched
    std::int16_t kind;
  } kCases[] = {
      {0, "preset", kPresetKind},
      {1, "preset", 1},
      {2, "振替休日", 2},
      {10, "元旦", kPresetKind},
      {11, "元旦", 1},
      {12, "元旦", 2},  // the tens name replaces 振替休日
      {20, "成人の日", kPresetKind},
      {30, "建国記念日", kPresetKind},
      {41, "春分の日", 1},
      {50, "天皇誕生日", kPresetKind},
      {60, "みどりの日", kPresetKind},
      {70, "憲法記念日", kPresetKind},
      {80, "国民の休日", kPresetKind},
      {90, "こどもの日", kPresetKind},
      {100, "海の日", kPresetKind},
      {110, "敬老の日", kPresetKind},
      {120, "秋分の日", kPresetKind},
      {130, "体育の日", kPresetKind},
      {140, "文化の日", kPresetKind},
      {150, "勤労感謝の日", kPresetKind},
      {160, "天皇誕生日", kPresetKind},
      {171, "昭和の日", 1},
      {181, "みどりの日", 1},
      {999, "preset", kPresetKind},
      {190, "preset", kPresetKind},
      {-2, "preset", kPresetKind},
      {-12, "preset", kPresetKind},
      {-1, "preset", kPresetKind},
      {5, "preset", kPresetKind},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.code);
    std::string name = kPresetName;
    std::int16_t kind = kPresetKind;
    EXPECT_EQ(GetHolidayName(row.code, name, kind), -1);
    EXPECT_EQ(name, row.name);
    EXPECT_EQ(kind, row.kind);
  }
}

// Every 16-bit code returns true; only units digits 1 and 2 write a kind, only the 18 ids and
// the bare substitute code write a name.
TEST(HolidayName, EverySixteenBitCode) {
  for (int c = std::numeric_limits<std::int16_t>::min();
       c <= std::numeric_limits<std::int16_t>::max(); ++c) {
    const auto code = static_cast<std::int16_t>(c);
    std::string name = kPresetName;
    std::int16_t kind = kPresetKind;
    ASSERT_EQ(GetHolidayName(code, name, kind), -1) << c;
    const int units = c % 10;
    const int tens = c - units;
    ASSERT_EQ(kind, units == 1 || units == 2 ? units : kPresetKind) << c;
    const bool named = (tens >= 10 && tens <= 180) || units == 2;
    ASSERT_EQ(name != kPresetName, named) << c;
  }
}

TEST(HolidayName, KindMayBeTheCodeVariable) {
  std::int16_t shared = 181;
  std::string name;
  EXPECT_EQ(GetHolidayName(shared, name, shared), -1);
  EXPECT_EQ(name, "みどりの日");
  EXPECT_EQ(shared, 1);
}

}  // namespace
