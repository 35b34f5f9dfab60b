// Classifying a date must not touch the heap: the year list and the window call it in loops.

#include <chrono>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

#include "counting_new.h"

namespace {

using namespace std::chrono;

TEST(Allocation, ClassifyingADateAllocatesNothing) {
  std::int16_t isHoliday = 0;
  std::int16_t code = 0;
  const std::string texts[] = {"2005/05/04", "2005/5/4", "２００５／０５／０４", "平成17年5月4日"};
  const std::size_t before = velunta::holidays::testing::HeapAllocations();
  for (sys_days day = sys_days{1949y / 1 / 1}; day <= sys_days{2099y / 12 / 31}; day += days{1}) {
    const year_month_day date{day};
    const auto y = static_cast<std::int16_t>(static_cast<int>(date.year()));
    const auto m = static_cast<std::int16_t>(static_cast<unsigned>(date.month()));
    const auto d = static_cast<std::int16_t>(static_cast<unsigned>(date.day()));
    Mdl_Velunta::GetHolidayInfo(y, m, d, isHoliday, code);
  }
  for (const auto& text : texts) Mdl_Velunta::GetHolidayInfoByText(text, isHoliday, code);
  EXPECT_EQ(velunta::holidays::testing::HeapAllocations() - before, 0u);
}

TEST(Allocation, TheCounterSeesAllocations) {
  const std::size_t before = velunta::holidays::testing::HeapAllocations();
  std::string name;
  std::int16_t kind = 0;
  const std::int16_t code = 150;  // 勤労感謝の日, longer than a string keeps inline
  Mdl_Velunta::GetHolidayName(code, name, kind);
  EXPECT_EQ(name, "勤労感謝の日");
  EXPECT_EQ(velunta::holidays::testing::HeapAllocations() - before, 1u);
}

}  // namespace
