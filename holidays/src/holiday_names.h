#pragma once
// The Japanese names of the 18 holiday ids, id 10 first.

#include <array>
#include <cstdint>
#include <string_view>

namespace velunta::holidays {

inline constexpr std::string_view kSubstituteHolidayName = "振替休日";

inline constexpr std::array<std::string_view, 18> kHolidayNames = {
    "元旦",          // 10
    "成人の日",      // 20
    "建国記念日",    // 30
    "春分の日",      // 40
    "天皇誕生日",    // 50, April 29 until 1988
    "みどりの日",    // 60, April 29 in 1989-2006
    "憲法記念日",    // 70
    "国民の休日",    // 80
    "こどもの日",    // 90
    "海の日",        // 100
    "敬老の日",      // 110
    "秋分の日",      // 120
    "体育の日",      // 130
    "文化の日",      // 140
    "勤労感謝の日",  // 150
    "天皇誕生日",    // 160, December 23 from 1989
    "昭和の日",      // 170
    "みどりの日",    // 180, May 4 from 2007
};

// Returns the name of a holiday id (10, 20, ... 180), or an empty view for anything else.
constexpr std::string_view HolidayNameOf(int id) noexcept {
  if (id < 10 || id > 180 || id % 10 != 0) return {};
  return kHolidayNames[static_cast<std::size_t>(id / 10 - 1)];
}

}  // namespace velunta::holidays
