// The calendars a server loads at start: which names it takes, and what refuses a start.

#include <stdexcept>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>

#include "business_calendars.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

TEST(CalendarNames, PlainTokensOnly) {
  const struct {
    const char* name;
    std::string text;
    bool accepted;
  } kCases[] = {
      {"letters", "tokyo", true},
      {"digits first", "2026", true},
      {"dot, dash and underscore inside", "osaka.branch-2_b", true},
      {"64 characters", std::string(64, 'a'), true},
      {"65 characters", std::string(65, 'a'), false},
      {"empty", "", false},
      {"dash first", "-tokyo", false},
      {"dot first", ".tokyo", false},
      {"space", "to kyo", false},
      {"slash", "a/b", false},
      {"equals", "a=b", false},
      {"ampersand", "a&b", false},
      {"percent", "a%20", false},
      {"non-ASCII", "東京", false},
      {"NUL", std::string("a\0b", 3), false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(IsCalendarName(row.text), row.accepted);
  }
}

TEST(CalendarNames, HandlerRefusesABadSetOfCalendars) {
  BusinessCalendarOptions outOfRange;
  outOfRange.closed = {2400y / January / 4};
  const struct {
    const char* name;
    std::vector<std::pair<std::string, BusinessCalendarOptions>> calendars;
    const char* named;
  } kCases[] = {
      {"bad name", {{"a b", {}}}, "not a calendar name: 'a b'"},
      {"name twice", {{"tokyo", {}}, {"osaka", {}}, {"tokyo", {}}}, "given twice: 'tokyo'"},
      {"closed date out of range", {{"far", outOfRange}}, "'far' cannot be made"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    try {
      const Handler handler({.calendars = row.calendars});
      ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& refused) {
      EXPECT_NE(std::string(refused.what()).find(row.named), std::string::npos) << refused.what();
    }
  }
}

}  // namespace
}  // namespace velunta::server
