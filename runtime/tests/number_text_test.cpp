#include "velunta/runtime/number_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "velunta/runtime/failure.h"
#include "velunta/runtime/int16.h"

namespace velunta::runtime {
namespace {

using namespace std::string_view_literals;

TEST(IsNumeric, AcceptedAndRefused) {
  const struct {
    std::string_view text;
    bool numeric;
  } kCases[] = {
      {"2005", true},      {"0", true},        {"-5", true},           {"+5", true},
      {"1.5", true},       {".5", true},       {"1.", true},           {"-.5", true},
      {" 2005 ", true},    {"\t2005\t", true}, {"　2005　", true},     {"２００５", true},
      {"－５", true},      {"＋５", true},     {"１．５", true},       {"007", true},
      {"", false},         {" ", false},       {"　", false},          {"-", false},
      {"+", false},        {".", false},       {"-.", false},          {"+-5", false},
      {"--5", false},      {"5-", false},      {"1e3", false},         {"1E3", false},
      {"1,000", false},    {"0x10", false},    {"1.2.3", false},       {"1 000", false},
      {"- 5", false},      {"abc", false},     {"5a", false},          {"２００５年", false},
      {"inf", false},      {"nan", false},     {"1/2", false},         {"٣", false},
      {"5\0"sv, false},    {"5\xFF", false},   {"\xEF\xBC\x95", true},  // ５
      {"\xEF\xBC", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.text));
    EXPECT_EQ(IsNumeric(row.text), row.numeric);
    if (!row.numeric) {
      EXPECT_THROW(TextToInt16(row.text), Failure);
    }
  }
}

TEST(TextToInt16, RoundsHalfToEven) {
  const struct {
    std::string_view text;
    std::int16_t value;
  } kCases[] = {
      {"2004.5", 2004},
      {"2005.5", 2006},
      {"0.5", 0},
      {"1.5", 2},
      {"2.5", 2},
      {"-0.5", 0},
      {"-1.5", -2},
      {"-2.5", -2},
      {"2004.50000000000000000000000000001", 2005},
      {"2004.49999999999999999999999999999", 2004},
      {"2005.4999", 2005},
      {"2005.51", 2006},
      {"2005.5000000000", 2006},
      {"2004.5000000000", 2004},
      {".5", 0},
      {".6", 1},
      {"-.6", -1},
      {"1.", 1},
      {"0.1", 0},
      {"-0.1", 0},
      {"-0", 0},
      {"２００４．５", 2004},
      {"  －１２．７　", -13},
      {"0000000000000000000000000000002005", 2005},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.text));
    EXPECT_EQ(TextToInt16(row.text), row.value);
  }
}

TEST(TextToInt16, RangeEdges) {
  const struct {
    std::string_view text;
    std::optional<std::int16_t> value;  // nothing: Failure
  } kCases[] = {
      {"32767", 32767},
      {"32767.4", 32767},
      {"32767.5", std::nullopt},
      {"32768", std::nullopt},
      {"-32768", -32768},
      {"-32768.5", -32768},  // the half goes to the even -32768
      {"-32768.51", std::nullopt},
      {"-32769", std::nullopt},
      {"32766.5", 32766},
      {"65536", std::nullopt},
      {"99999", std::nullopt},
      {"100000", std::nullopt},
      {"4294967296", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"18446744073709551616", std::nullopt},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(std::string(row.text));
    if (row.value) {
      EXPECT_EQ(TextToInt16(row.text), *row.value);
    } else {
      EXPECT_TRUE(IsNumeric(row.text));
      EXPECT_THROW(TextToInt16(row.text), Failure);
    }
  }
}

TEST(TextToInt16, TextsOfAnyLength) {
  const std::string kHuge(400, '9');
  EXPECT_TRUE(IsNumeric(kHuge));
  EXPECT_THROW(TextToInt16(kHuge), Failure);
  EXPECT_THROW(TextToInt16("-" + kHuge), Failure);

  const std::string kSmallWithLongFraction = "12." + std::string(100000, '0') + "1";
  EXPECT_EQ(TextToInt16(kSmallWithLongFraction), 12);
  const std::string kLongZeros = std::string(100000, '0') + "7";
  EXPECT_EQ(TextToInt16(kLongZeros), 7);
}

TEST(Int16Text, EveryValueRoundTrips) {
  int mismatches = 0;
  for (int i = std::numeric_limits<std::int16_t>::min();
       i <= std::numeric_limits<std::int16_t>::max(); ++i) {
    const auto value = static_cast<std::int16_t>(i);
    const std::string text = Int16ToText(value);
    if (text != std::to_string(i) || TextToInt16(text) != value || !IsNumeric(text)) {
      if (++mismatches <= 10) ADD_FAILURE() << "value " << i << " gives text " << text;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(Int16Text, Texts) {
  EXPECT_EQ(Int16ToText(0), "0");
  EXPECT_EQ(Int16ToText(-5), "-5");
  EXPECT_EQ(Int16ToText(2005), "2005");
  EXPECT_EQ(Int16ToText(-32768), "-32768");
  EXPECT_EQ(Int16ToText(32767), "32767");
}

TEST(Int16, CheckedArithmetic) {
  EXPECT_EQ(NarrowToInt16(2005), 2005);
  EXPECT_THROW(NarrowToInt16(40000), Failure);
  EXPECT_THROW(NarrowToInt16(-32769), Failure);
  EXPECT_EQ(CheckedAdd(32766, 1), 32767);
  EXPECT_THROW(CheckedAdd(32767, 1), Failure);
  EXPECT_EQ(CheckedSub(-32767, 1), -32768);
  EXPECT_THROW(CheckedSub(-32768, 1), Failure);
}

}  // namespace
}  // namespace velunta::runtime
