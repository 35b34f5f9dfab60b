// The readers of typed values: every form of a date, year, month, range end, count and list, and
// each refusal worded as the command and the server print it.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include <velunta/records/date_texts.h>
#include <velunta/request/choices.h>
#include <velunta/request/values.h>

namespace velunta::request {
namespace {

using namespace std::chrono;

const records::DaySource& Law() {
  return records::LawSource();
}

// Returns the value, or "refused: <worded refusal>".
template <class T, class Show>
std::string Shown(const Reading<T>& reading, Show show) {
  return reading.has_value() ? show(*reading) : "refused: " + Worded(reading.refusal());
}

std::string Shown(const Reading<year_month_day>& reading) {
  return Shown(reading, [](year_month_day d) { return records::IsoDate(d); });
}

TEST(Values, DatesInEveryForm) {
  const year_month_day today = 2026y / May / 6;
  const struct {
    const char* text;
    bool withToday;
    std::string expected;
  } kCases[] = {
      {"2026-05-06", false, "2026-05-06"},
      {"2026/5/6", false, "2026-05-06"},
      {"20260506", false, "2026-05-06"},
      {"２０２６年５月６日", false, "2026-05-06"},
      {"令和8年5月6日", false, "2026-05-06"},
      {"tomorrow", true, "2026-05-07"},
      {"yesterday", true, "2026-05-05"},
      {"today", false,
       "refused: not a date: 'today'; accepted: a real date such as 2026-05-06, 2026/5/6, "
       "20260506, 2026年5月6日 or 令和8年5月6日"},
      {"20260230", true,
       "refused: not a date: '20260230'; accepted: a real date such as 2026-05-06, 2026/5/6, "
       "20260506, 2026年5月6日 or 令和8年5月6日, today, tomorrow or yesterday"},
      {"2026-02-30", false,
       "refused: not a date: '2026-02-30'; accepted: a real date such as "
       "2026-05-06, 2026/5/6, 20260506, 2026年5月6日 or 令和8年5月6日"},
      {"2026050", false,
       "refused: not a date: '2026050'; accepted: a real date such as "
       "2026-05-06, 2026/5/6, 20260506, 2026年5月6日 or 令和8年5月6日"},
      {"1599/12/31", false,
       "refused: date out of range: '1599/12/31'; accepted: 1600-01-01 to 2399-12-31"},
      {"24000101", false,
       "refused: date out of range: '24000101'; accepted: 1600-01-01 to 2399-12-31"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto read =
        Date(row.text, Law(), DateStyle::iso, row.withToday ? std::optional(today) : std::nullopt);
    EXPECT_EQ(Shown(read), row.expected);
  }
  // A relative word past the covered years names the day it meant, in the caller's style.
  EXPECT_EQ(Shown(Date("tomorrow", Law(), DateStyle::slash, 2399y / December / 31)),
            "refused: date out of range: 'tomorrow' (2400/01/01); accepted: 1600/01/01 to "
            "2399/12/31");
}

// Every covered day, written in each form people type, reads back as itself.
TEST(Values, EveryDayReadsBackInEveryForm) {
  int checked = 0;
  for (sys_days day = sys_days{1600y / January / 1}; day <= sys_days{2399y / December / 31};
       day += days{1}) {
    const year_month_day date{day};
    const std::string iso = records::IsoDate(date);
    const std::string forms[] = {iso, records::SlashDate(date),
                                 iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8, 2)};
    for (const auto& form : forms) {
      const auto read = Date(form, Law(), DateStyle::iso);
      if (!read.has_value() || *read != date) {
        ADD_FAILURE() << form << " -> " << Shown(read);
        return;
      }
      ++checked;
    }
  }
  EXPECT_EQ(checked, 3 * 292'194);
}

TEST(Values, YearsMonthsAndRangeEnds) {
  const struct {
    const char* text;
    RangeEnd end;
    std::string expected;
  } kCases[] = {
      {"2026", RangeEnd::first, "2026-01-01"},
      {"2026", RangeEnd::last, "2026-12-31"},
      {"２０２６", RangeEnd::last, "2026-12-31"},
      {"2024-02", RangeEnd::last, "2024-02-29"},
      {"2023年2月", RangeEnd::last, "2023-02-28"},
      {"2026/5", RangeEnd::first, "2026-05-01"},
      {"20260506", RangeEnd::last, "2026-05-06"},
      {"2026-05-06", RangeEnd::first, "2026-05-06"},
      {"1599", RangeEnd::first, "refused: year out of range: '1599'; accepted: 1600 to 2399"},
      {"2026.5", RangeEnd::first,
       "refused: not a year: '2026.5'; accepted: a whole year from 1600 to 2399"},
      {"2400-01", RangeEnd::first,
       "refused: month out of range: '2400-01'; accepted: months of 1600 to 2399"},
      {"2026-13", RangeEnd::first,
       "refused: not a date: '2026-13'; accepted: a real date such as 2026-05-06, 2026/5/6, "
       "20260506, 2026年5月6日 or 令和8年5月6日"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Shown(RangeEndDate(row.text, Law(), row.end, DateStyle::iso)), row.expected);
  }
  EXPECT_EQ(Shown(Year("１９９９", records::ClassicSource()),
                  [](year y) { return std::to_string(static_cast<int>(y)); }),
            "1999");
}

TEST(Values, CountsWithinTheirLimits) {
  const struct {
    const char* text;
    std::string expected;
  } kCases[] = {
      {"3", "3"},
      {"+3", "3"},
      {"1000", "1000"},
      {"0", "refused: number out of range: '0'; accepted: 1 to 1000"},
      {"1001", "refused: number out of range: '1001'; accepted: 1 to 1000"},
      {"99999999999", "refused: number out of range: '99999999999'; accepted: 1 to 1000"},
      {"3.0", "refused: not a whole number: '3.0'; accepted: a whole number from 1 to 1000"},
      {"+-3", "refused: not a whole number: '+-3'; accepted: a whole number from 1 to 1000"},
      {"", "refused: not a whole number: ''; accepted: a whole number from 1 to 1000"},
      {"-", "refused: not a whole number: '-'; accepted: a whole number from 1 to 1000"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Shown(Count(row.text, 1, 1000), [](int n) { return std::to_string(n); }),
              row.expected);
  }
  EXPECT_EQ(*Count("-3", -5, 5), -3);
}

TEST(Values, DateListsSkipEmptyItems) {
  const auto show = [](const std::vector<year_month_day>& dates) {
    std::string text;
    for (const auto date : dates) text += records::IsoDate(date) + ";";
    return text;
  };
  const struct {
    const char* text;
    std::string expected;
  } kCases[] = {
      {"2026-05-01", "2026-05-01;"},
      {"2026-05-01,,20260508,", "2026-05-01;2026-05-08;"},
      {",", ""},
      {"",
       "refused: not a date: ''; accepted: a real date such as 2026-05-06, 2026/5/6, "
       "20260506, 2026年5月6日 or 令和8年5月6日"},
      {"2026-05-01,2026-02-30",
       "refused: not a date: '2026-02-30'; accepted: a real date such "
       "as 2026-05-06, 2026/5/6, 20260506, 2026年5月6日 or 令和8年5月6日"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Shown(DateList(row.text, Law(), DateStyle::iso), show), row.expected);
  }
}

TEST(Values, ChoicesAndRefusalsInBothVoices) {
  EXPECT_EQ(*Choose("classic", kRules), Rules::classic);
  EXPECT_EQ(*Choose("modified-preceding", kConventions), Roll::modifiedPreceding);
  const auto unknown = Choose("Law", kRules);
  ASSERT_FALSE(unknown.has_value());
  EXPECT_EQ(Worded(unknown.refusal(), "rules"),
            "unknown value for rules: 'Law'; accepted: law, classic");
  EXPECT_EQ(Accepted(kListFormats), "json, csv, ics");

  const auto classicOfficial = SourceFor(Rules::classic, Labels::official, "--");
  ASSERT_FALSE(classicOfficial.has_value());
  EXPECT_EQ(Worded(classicOfficial.refusal()),
            "labels not available with --rules=classic: 'official'; accepted: "
            "--labels=official with the law calendar (the module names its holidays its own way)");
  EXPECT_EQ(*SourceFor(Rules::classic, Labels::law, ""), &records::ClassicSource());

  const auto order =
      OutOfOrder(2026y / May / 6, 2026y / May / 1, "2026-05-06", "2026/5/1", "from", "to");
  ASSERT_TRUE(order.has_value());
  EXPECT_EQ(Worded(*order),
            "from after to: '2026-05-06' is after '2026/5/1'; accepted: from on or before to");
  EXPECT_FALSE(OutOfOrder(2026y / May / 1, 2026y / May / 1, "", "", "FROM", "TO").has_value());
}

}  // namespace
}  // namespace velunta::request
