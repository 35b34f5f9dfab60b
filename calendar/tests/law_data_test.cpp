// The law as data: the built-in law is the law file compiled in, equal row for row to the table
// the engine was written with; a law made from newer data answers for everything, and a
// description that is not entirely right is refused at the line of its mistake.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <velunta/business_calendar.h>
#include <velunta/calendar.h>
#include <velunta/law.h>
#include <velunta/law_file.h>

namespace {

using namespace std::chrono;
using velunta::HolidayKind;
using velunta::LawDayRule;
using velunta::LawRow;

constexpr HolidayKind N = HolidayKind::national;
constexpr HolidayKind S = HolidayKind::specialAct;

// The rows of the table written in C++ before the law became a file, kept as they were.
const LawRow kTableBeforeTheFile[] = {
    {"元日", "", "New Year's Day", N, 1, LawDayRule::fixedDay, 1, 1949, 2399},
    {"成人の日", "", "Coming of Age Day", N, 1, LawDayRule::fixedDay, 15, 1949, 1999},
    {"成人の日", "", "Coming of Age Day", N, 1, LawDayRule::nthMonday, 2, 2000, 2399},
    {"建国記念の日", "", "National Foundation Day", N, 2, LawDayRule::fixedDay, 11, 1967, 2399},
    {"天皇誕生日", "", "The Emperor's Birthday", N, 2, LawDayRule::fixedDay, 23, 2020, 2399},
    {"昭和天皇の大喪の礼", "大喪の礼", "The Funeral Ceremony of Emperor Showa", S, 2,
     LawDayRule::fixedDay, 24, 1989, 1989},
    {"春分の日", "", "Vernal Equinox Day", N, 3, LawDayRule::equinox, 0, 1949, 2399},
    {"皇太子明仁親王の結婚の儀", "結婚の儀", "The Rite of Wedding of Crown Prince Akihito", S, 4,
     LawDayRule::fixedDay, 10, 1959, 1959},
    {"天皇誕生日", "", "The Emperor's Birthday", N, 4, LawDayRule::fixedDay, 29, 1949, 1988},
    {"みどりの日", "", "Greenery Day", N, 4, LawDayRule::fixedDay, 29, 1989, 2006},
    {"昭和の日", "", "Showa Day", N, 4, LawDayRule::fixedDay, 29, 2007, 2399},
    {"天皇の即位の日", "休日（祝日扱い）", "The Day of the Emperor's Enthronement", S, 5,
     LawDayRule::fixedDay, 1, 2019, 2019},
    {"憲法記念日", "", "Constitution Memorial Day", N, 5, LawDayRule::fixedDay, 3, 1949, 2399},
    {"みどりの日", "", "Greenery Day", N, 5, LawDayRule::fixedDay, 4, 2007, 2399},
    {"こどもの日", "", "Children's Day", N, 5, LawDayRule::fixedDay, 5, 1949, 2399},
    {"皇太子徳仁親王の結婚の儀", "結婚の儀", "The Rite of Wedding of Crown Prince Naruhito", S, 6,
     LawDayRule::fixedDay, 9, 1993, 1993},
    {"海の日", "", "Marine Day", N, 7, LawDayRule::fixedDay, 20, 1996, 2002},
    {"海の日", "", "Marine Day", N, 7, LawDayRule::nthMonday, 3, 2003, 2019},
    {"海の日", "", "Marine Day", N, 7, LawDayRule::fixedDay, 23, 2020, 2020},
    {"海の日", "", "Marine Day", N, 7, LawDayRule::fixedDay, 22, 2021, 2021},
    {"海の日", "", "Marine Day", N, 7, LawDayRule::nthMonday, 3, 2022, 2399},
    {"スポーツの日", "", "Sports Day", N, 7, LawDayRule::fixedDay, 24, 2020, 2020},
    {"スポーツの日", "", "Sports Day", N, 7, LawDayRule::fixedDay, 23, 2021, 2021},
    {"山の日", "", "Mountain Day", N, 8, LawDayRule::fixedDay, 11, 2016, 2019},
    {"山の日", "", "Mountain Day", N, 8, LawDayRule::fixedDay, 10, 2020, 2020},
    {"山の日", "", "Mountain Day", N, 8, LawDayRule::fixedDay, 8, 2021, 2021},
    {"山の日", "", "Mountain Day", N, 8, LawDayRule::fixedDay, 11, 2022, 2399},
    {"敬老の日", "", "Respect for the Aged Day", N, 9, LawDayRule::fixedDay, 15, 1966, 2002},
    {"敬老の日", "", "Respect for the Aged Day", N, 9, LawDayRule::nthMonday, 3, 2003, 2399},
    {"秋分の日", "", "Autumnal Equinox Day", N, 9, LawDayRule::equinox, 0, 1948, 2399},
    {"体育の日", "", "Health and Sports Day", N, 10, LawDayRule::fixedDay, 10, 1966, 1999},
    {"体育の日", "", "Health and Sports Day", N, 10, LawDayRule::nthMonday, 2, 2000, 2018},
    {"体育の日", "体育の日（スポーツの日）", "Health and Sports Day", N, 10, LawDayRule::nthMonday,
     2, 2019, 2019},
    {"即位礼正殿の儀の行われる日", "休日（祝日扱い）",
     "The Day of the Ceremony of the Enthronement", S, 10, LawDayRule::fixedDay, 22, 2019, 2019},
    {"スポーツの日", "", "Sports Day", N, 10, LawDayRule::nthMonday, 2, 2022, 2399},
    {"文化の日", "", "Culture Day", N, 11, LawDayRule::fixedDay, 3, 1948, 2399},
    {"即位礼正殿の儀", "", "The Ceremony of the Enthronement", S, 11, LawDayRule::fixedDay, 12,
     1990, 1990},
    {"勤労感謝の日", "", "Labor Thanksgiving Day", N, 11, LawDayRule::fixedDay, 23, 1948, 2399},
    {"天皇誕生日", "", "The Emperor's Birthday", N, 12, LawDayRule::fixedDay, 23, 1989, 2018},
};

const std::filesystem::path kLawFile = VELUNTA_LAW_FILE;

std::string FileText() {
  std::ifstream in(kLawFile, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Puts a law in use for one test and the built-in one back after it.
class LawInUse {
 public:
  explicit LawInUse(const velunta::Law& law) { velunta::UseLaw(law); }
  ~LawInUse() { velunta::UseLaw(velunta::BuiltInLaw()); }
  LawInUse(const LawInUse&) = delete;
  LawInUse& operator=(const LawInUse&) = delete;
};

const velunta::Law& Made(velunta::LawDescription description) {
  auto law = velunta::MakeLaw(std::move(description), "test");
  if (law.index() == 1) ADD_FAILURE() << std::get<1>(law).message;
  return law.index() == 0 ? *std::get<0>(law) : velunta::BuiltInLaw();
}

std::optional<velunta::Holiday> On(year_month_day date) {
  return *velunta::HolidayOn(date);
}

TEST(BuiltInLaw, EqualsTheTableRowForRow) {
  const auto law = velunta::BuiltInLaw().Describe();
  ASSERT_EQ(law.rows.size(), std::size(kTableBeforeTheFile));
  for (std::size_t i = 0; i < law.rows.size(); ++i) {
    SCOPED_TRACE(kTableBeforeTheFile[i].name + " " + std::to_string(kTableBeforeTheFile[i].first));
    EXPECT_EQ(law.rows[i], kTableBeforeTheFile[i]);
  }
  EXPECT_EQ(law.substituteFrom, 1973y / April / 12d);
  EXPECT_EQ(law.substituteNextFreeDay, 2007y / January / 1d);
  EXPECT_EQ(law.citizensFrom, 1985y / December / 27d);
  EXPECT_EQ(law.citizensAnyWeekday, 2007y / January / 1d);
  EXPECT_EQ(velunta::BuiltInLaw().Source(), "built in");
  EXPECT_EQ(velunta::LastAnnouncedEquinoxYear(), 2027y);
}

// The file read at run time makes the same law as the one compiled from it: every day of every
// year answers alike, in both label styles.
TEST(LawFile, ReadAtRunTimeAnswersAsTheBuiltInLaw) {
  auto law = velunta::ReadLawFile(kLawFile);
  ASSERT_TRUE(law) << law.error().ToString();
  auto rows = (*law)->Describe().rows;
  std::stable_sort(rows.begin(), rows.end(),
                   [](const LawRow& a, const LawRow& b) { return a.month < b.month; });
  EXPECT_EQ(rows, velunta::BuiltInLaw().Describe().rows);
  EXPECT_EQ((*law)->Version(), velunta::BuiltInLaw().Version());
  EXPECT_EQ((*law)->Source(), kLawFile.string());

  std::vector<std::optional<velunta::Holiday>> builtIn;
  const sys_days first{1948y / January / 1d};
  const sys_days last{2399y / December / 31d};
  for (auto style : {velunta::LabelStyle::official, velunta::LabelStyle::officialList}) {
    builtIn.clear();
    for (sys_days d = first; d <= last; d += days{1}) {
      builtIn.push_back(*velunta::HolidayOn(year_month_day{d}, style));
    }
    LawInUse use(**law);
    std::size_t i = 0;
    for (sys_days d = first; d <= last; d += days{1}, ++i) {
      const auto answer = *velunta::HolidayOn(year_month_day{d}, style);
      if (answer != builtIn[i]) {
        ADD_FAILURE() << "differs on day " << d.time_since_epoch().count() << " since 1970";
        break;
      }
    }
  }
}

// The worked example: a special-act day added and a holiday moved for one year change
// every answer, business calendars made afterwards included; the built-in law comes back whole.
TEST(MadeLaw, NewRowsChangeEveryAnswer) {
  auto description = velunta::BuiltInLaw().Describe();
  description.rows.push_back(
      {"臨時休日", "", "Extra Holiday", S, 6, LawDayRule::fixedDay, 1, 2027, 2027});
  // 海の日 2028 moved from the third Monday (07-17) to Friday 07-21.
  for (auto& row : description.rows) {
    if (row.name == "海の日" && row.first == 2022) row.last = 2027;
  }
  description.rows.push_back(
      {"海の日", "", "Marine Day", N, 7, LawDayRule::fixedDay, 21, 2028, 2028});
  description.rows.push_back(
      {"海の日", "", "Marine Day", N, 7, LawDayRule::nthMonday, 3, 2029, 2399});
  const velunta::Law& law = Made(std::move(description));
  const std::size_t builtIn2027 = velunta::HolidaysOfYear(2027y)->size();
  {
    LawInUse use(law);
    ASSERT_TRUE(On(2027y / June / 1d));
    EXPECT_EQ(On(2027y / June / 1d)->name, "臨時休日");
    EXPECT_EQ(On(2027y / June / 1d)->kind, HolidayKind::specialAct);
    EXPECT_FALSE(On(2028y / July / 17d));
    EXPECT_EQ(On(2028y / July / 21d)->name, "海の日");
    EXPECT_EQ(On(2029y / July / 16d)->name, "海の日");
    const auto calendar = velunta::BusinessCalendar::Make({});
    EXPECT_FALSE(*calendar->IsBusinessDay(2027y / June / 1d));
    EXPECT_TRUE(*calendar->IsBusinessDay(2028y / July / 17d));
    EXPECT_EQ(velunta::HolidaysOfYear(2027y)->size(), builtIn2027 + 1);
    EXPECT_EQ(velunta::CurrentLaw().Source(), "test");
  }
  EXPECT_FALSE(On(2027y / June / 1d));
  EXPECT_EQ(On(2028y / July / 17d)->name, "海の日");
}

// Reading unchanged data again gives the law already made; other data, or another source, a new
// one.
TEST(MadeLaw, TheSameDataIsMadeOnce) {
  const auto data = velunta::BuiltInLaw().Describe();
  const auto first = velunta::MakeLaw(data, "same");
  const auto again = velunta::MakeLaw(data, "same");
  const auto elsewhere = velunta::MakeLaw(data, "other");
  auto changed = data;
  changed.version = "2027-01-01";
  const auto newer = velunta::MakeLaw(changed, "same");
  ASSERT_EQ(first.index(), 0U);
  EXPECT_EQ(std::get<0>(first), std::get<0>(again));
  EXPECT_NE(std::get<0>(first), std::get<0>(elsewhere));
  EXPECT_NE(std::get<0>(first), std::get<0>(newer));
  EXPECT_EQ(std::get<0>(newer)->Version(), "2027-01-01");
}

// last_announced_equinox_year decides the predicted marks, of the derived holidays too.
TEST(MadeLaw, AnnouncedYearClearsPredictedMarks) {
  auto description = velunta::BuiltInLaw().Describe();
  EXPECT_TRUE(On(2033y / March / 21d)->predicted);  // 振替休日 of Sunday 03-20 春分の日
  EXPECT_TRUE(On(2033y / March / 20d)->predicted);
  description.lastAnnouncedEquinoxYear = 2033;
  LawInUse use(Made(std::move(description)));
  EXPECT_FALSE(On(2033y / March / 20d)->predicted);
  EXPECT_FALSE(On(2033y / March / 21d)->predicted);
  EXPECT_TRUE(On(2034y / March / 20d)->predicted);
  EXPECT_TRUE(velunta::IsOfficialEquinox(2033y, velunta::Season::autumnal));
  EXPECT_TRUE(velunta::EquinoxOf(2033y, velunta::Season::vernal)->official);
}

// Every mistake in a file is refused with the line that holds it, and nothing changes.
TEST(LawFile, MistakesAreRefusedAtTheirLine) {
  const std::string good = FileText();
  // Replaces the first occurrence of `from` (after `after`, when given) in the good file.
  const auto edit = [&](std::string_view from, std::string_view to, std::string_view after = "") {
    std::string text = good;
    const auto start = after.empty() ? 0 : text.find(after);
    const auto at = text.find(from, start);
    if (start == std::string::npos || at == std::string::npos) return std::string();
    return text.replace(at, from.size(), to);
  };
  const auto lineOf = [](const std::string& text, std::string_view what) {
    const auto at = text.find(what);
    return static_cast<std::size_t>(
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1);
  };
  const struct {
    const char* name;
    std::string text;
    std::string lineHolds;  // the text of the line the error must name
    std::string says;
  } kCases[] = {
      {"unknown key", edit("name_en = \"Marine Day\"", "name_en = \"Marine Day\"\nmoved = true"),
       "moved = true", "unknown key 'moved'"},
      {"no such day", edit("day = 11\nfirst = 1967", "day = 30\nfirst = 1967"), "day = 30",
       "no such day: month 2, day 30"},
      {"February 29", edit("day = 11\nfirst = 1967", "day = 29\nfirst = 1967"), "day = 29",
       "not in every year"},
      {"fifth Monday", edit("monday = 2\nfirst = 2000", "monday = 5\nfirst = 2000"), "monday = 5",
       "fifth Monday"},
      {"equinox in May", edit("month = 3\nequinox", "month = 5\nequinox"), "month = 5",
       "month 3 or 9"},
      {"year below the range", edit("first = 1949", "first = 1599"), "first = 1599",
       "out of range; accepted: 1600..2399"},
      {"year above the range", edit("first = 2007", "first = 2007\nlast = 2400"), "last = 2400",
       "out of range"},
      {"overlapping rows", edit("last = 1999\n\n", "last = 2001\n\n", "成人の日"),
       "monday = 2\nfirst = 2000", "overlaps another row of it in 2000..2001"},
      {"two rows on one date", edit("day = 23\nfirst = 2020", "day = 11\nfirst = 2020"),
       "天皇誕生日\"\nname_en = \"The Emperor's Birthday\"\nkind = \"national\"\nmonth = 2",
       "falls on the day of 建国記念の日 in 2020"},
      {"bad kind", edit("kind = \"special-act\"", "kind = \"special\""), "kind = \"special\"",
       "bad kind 'special'"},
      {"two rules in a row", edit("day = 1\nfirst = 1949", "day = 1\nmonday = 1\nfirst = 1949"),
       "[[holiday]]\nname = \"元日\"", "exactly one of day, monday, equinox"},
      {"version no date", edit("version = \"2026-12-08\"", "version = \"2026-13-08\""),
       "version =", "no date"},
      {"wrong type",
       edit("last_announced_equinox_year = 2027", "last_announced_equinox_year = \"2027\""),
       "last_announced_equinox_year = \"2027\"", "must be an integer"},
      {"no TOML", edit("[[holiday]]", "[[holiday]", "# January"), "[[holiday]\n", ""},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    ASSERT_FALSE(row.text.empty()) << "the edit found nothing to change";
    auto law = velunta::ReadLaw(row.text, "law.toml");
    ASSERT_FALSE(law);
    EXPECT_EQ(law.error().file, "law.toml");
    // The error names the line of the mistake (for a pair of rows, the later one).
    const std::size_t expected = lineOf(row.text, row.lineHolds);
    if (std::string(row.name) == "overlapping rows" ||
        std::string(row.name) == "two rows on one date") {
      EXPECT_GE(law.error().line, expected - 3);
      EXPECT_LE(law.error().line, expected + 3);
    } else {
      EXPECT_EQ(law.error().line, expected) << law.error().ToString();
    }
    EXPECT_NE(law.error().message.find(row.says), std::string::npos) << law.error().ToString();
    EXPECT_EQ(law.error().ToString().find('\n'), std::string::npos);
    EXPECT_EQ(&velunta::CurrentLaw(), &velunta::BuiltInLaw());
  }
}

TEST(LawFile, UnreadableFilesAreRefused) {
  for (const char* path : {"/dev/zero", "/nonexistent/law.toml", "/"}) {
    SCOPED_TRACE(path);
    auto law = velunta::ReadLawFile(path);
    ASSERT_FALSE(law);
    EXPECT_EQ(law.error().line, 0U);
  }
}

}  // namespace
