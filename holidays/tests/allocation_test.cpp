// Classifying a date must not touch the heap: the year list and the window call it in loops.

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include <gtest/gtest.h>
#include <velunta/Mdl_Velunta.h>

namespace {
std::size_t allocations = 0;
}  // namespace

// The replacements pair malloc with free; GCC cannot see that they replace the global pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc{};
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

using namespace std::chrono;

TEST(Allocation, ClassifyingADateAllocatesNothing) {
  std::int16_t isHoliday = 0;
  std::int16_t code = 0;
  const std::string texts[] = {"2005/05/04", "2005/5/4", "２００５／０５／０４", "平成17年5月4日"};
  const std::size_t before = allocations;
  for (sys_days day = sys_days{1949y / 1 / 1}; day <= sys_days{2099y / 12 / 31}; day += days{1}) {
    const year_month_day date{day};
    const auto y = static_cast<std::int16_t>(static_cast<int>(date.year()));
    const auto m = static_cast<std::int16_t>(static_cast<unsigned>(date.month()));
    const auto d = static_cast<std::int16_t>(static_cast<unsigned>(date.day()));
    Mdl_Velunta::GetHolidayInfo(y, m, d, isHoliday, code);
  }
  for (const auto& text : texts) Mdl_Velunta::GetHolidayInfoByText(text, isHoliday, code);
  EXPECT_EQ(allocations - before, 0u);
}

}  // namespace
