// The calendar file: the README's example read from disk and asked questions, and every kind of
// mistake refused with one line naming the file, the line and what is wrong.

#include <gtest/gtest.h>
#include <velunta/calendar_file.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace std::chrono;

const std::string kData = VELUNTA_CALENDAR_TEST_DATA;

TEST(CalendarFile, ReadsTheExample) {
  const auto options = velunta::ReadCalendarOptionsFile(kData + "/example-corp.toml");
  ASSERT_TRUE(options.has_value()) << options.error().ToString();
  EXPECT_EQ(options->weekend, (velunta::WeekdaySet{Saturday, Sunday}));
  EXPECT_TRUE(options->nationalHolidays);
  EXPECT_FALSE(options->bankClosingDays);
  EXPECT_EQ(options->yearlyClosed, (std::vector<velunta::MonthDayRange>{
                                       {December / 29, January / 3}, {August / 13, August / 15}}));
  EXPECT_EQ(options->closed, std::vector<year_month_day>{2026y / 5 / 1});
  EXPECT_EQ(options->working, std::vector<year_month_day>{2026y / 11 / 21});

  const auto calendar = velunta::ReadCalendarFile(kData + "/example-corp.toml");
  ASSERT_TRUE(calendar.has_value());
  EXPECT_FALSE(*calendar->IsBusinessDay(2026y / 5 / 1));
  EXPECT_TRUE(*calendar->IsBusinessDay(2026y / 11 / 21));
  EXPECT_FALSE(*calendar->IsBusinessDay(2026y / 8 / 14));
  EXPECT_EQ(*calendar->Add(2026y / 12 / 28, 1), 2027y / 1 / 4);

  const auto government = velunta::ReadCalendarFile(kData + "/government-office.toml");
  ASSERT_TRUE(government.has_value());
  EXPECT_EQ(*government->Next(2026y / 12 / 28), 2027y / 1 / 4);
  EXPECT_EQ(*government->Previous(2027y / 1 / 4), 2026y / 12 / 28);

  // Native TOML dates serve as well as texts; an empty file is the default calendar.
  const auto native = velunta::ReadCalendarOptions("closed = [2026-05-01]\n", "native.toml");
  ASSERT_TRUE(native.has_value());
  EXPECT_EQ(native->closed, std::vector<year_month_day>{2026y / 5 / 1});
  const auto empty = velunta::ReadCalendarOptions("", "empty.toml");
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(empty->weekend, (velunta::WeekdaySet{Saturday, Sunday}));
}

TEST(CalendarFile, Refusals) {
  const struct {
    const char* text;
    std::string file;
    std::string expected;  // the whole line; for toml++'s own messages its start
    bool exact;
  } kCases[] = {
      {"unknown key", "national_holidays = true\nbank_closing_day = true\n",
       "c.toml:2: unknown key 'bank_closing_day'; accepted: weekend, national_holidays, "
       "bank_closing_days, government_closing_days, yearly_closed, closed, working",
       true},
      {"a table is no key", "[office]\nweekend = []\n", "c.toml:1: unknown key 'office'", false},
      {"flag as text", "national_holidays = \"yes\"\n",
       "c.toml:1: national_holidays must be true or false, not a text", true},
      {"weekend as text", "weekend = \"saturday\"\n",
       "c.toml:1: weekend must be an array of weekday names such as \"saturday\", not a text",
       true},
      {"weekday abbreviated", "weekend = [\n  \"sat\",\n]\n",
       "c.toml:2: bad weekday 'sat' in weekend; accepted: monday, tuesday, wednesday, thursday, "
       "friday, saturday, sunday",
       true},
      {"weekday capitalised", "weekend = [\"Sunday\"]\n", "c.toml:1: bad weekday 'Sunday'", false},
      {"weekday twice", "weekend = [\"sunday\", \"sunday\"]\n",
       "c.toml:1: 'sunday' listed twice in weekend", true},
      {"weekday as number", "weekend = [6]\n",
       "c.toml:1: weekend must be weekday names such as \"saturday\", not an integer", true},
      {"impossible date", "\n\nclosed = [\"2026-02-30\"]\n",
       "c.toml:3: bad date '2026-02-30' in closed: no such day", true},
      {"date with slashes", "working = [\"2026/05/01\"]\n",
       "c.toml:1: bad date '2026/05/01' in working; accepted: YYYY-MM-DD", true},
      {"date unpadded", "closed = [\"2026-5-1\"]\n",
       "c.toml:1: bad date '2026-5-1' in closed; accepted: YYYY-MM-DD", true},
      {"date out of range", "closed = [\"2400-01-03\"]\n",
       "c.toml:1: bad date '2400-01-03' in closed: out of range; accepted: 1600-01-01 to "
       "2399-12-31",
       true},
      {"date as number", "closed = [20260501]\n",
       "c.toml:1: closed must be dates such as \"2026-05-01\", not an integer", true},
      {"date and time", "closed = [2026-05-01T09:00:00]\n",
       "c.toml:1: closed must be dates such as \"2026-05-01\", not a date and time", true},
      {"dates not in an array", "closed = \"2026-05-01\"\n",
       "c.toml:1: closed must be an array of dates such as \"2026-05-01\", not a text", true},
      {"range of one day", "yearly_closed = [\"12-29\"]\n",
       "c.toml:1: bad range '12-29' in yearly_closed; accepted: MM-DD..MM-DD, e.g. 12-29..01-03",
       true},
      {"range unpadded", "yearly_closed = [\"12-29..1-3\"]\n",
       "c.toml:1: bad range '12-29..1-3' in yearly_closed; accepted: MM-DD..MM-DD, e.g. "
       "12-29..01-03",
       true},
      {"range with a year", "yearly_closed = [\"2026-12-29..2027-01-03\"]\n",
       "c.toml:1: bad range '2026-12-29..2027-01-03'", false},
      {"range to no day", "yearly_closed = [\"02-28..02-30\"]\n",
       "c.toml:1: bad range '02-28..02-30' in yearly_closed: no such day in any year", true},
      {"range month 13", "yearly_closed = [\"13-01..13-02\"]\n",
       "c.toml:1: bad range '13-01..13-02' in yearly_closed: no such day in any year", true},
      {"ranges as table", "yearly_closed = { from = \"12-29\" }\n",
       "c.toml:1: yearly_closed must be an array of ranges such as \"12-29..01-03\", not a table",
       true},
      {"the earliest line first", "weekend = [\"sat\"]\nclosed = 1\n# a\nbank = true\n",
       "c.toml:1: bad weekday 'sat'", false},
      {"a line break in a key", "\"week\\nend\" = []\n", "c.toml:1: unknown key 'week end'", false},
      {"duplicate key", "closed = []\nclosed = []\n", "c.toml:2: ", false},
      {"not TOML", "weekend = [\"saturday\"\n", "c.toml:", false},
      {"impossible TOML date", "closed = [2026-02-30]\n", "c.toml:1: ", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto options = velunta::ReadCalendarOptions(row.file, "c.toml");
    ASSERT_FALSE(options.has_value());
    const std::string line = options.error().ToString();
    EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    if (row.exact) {
      EXPECT_EQ(line, row.expected);
    } else {
      EXPECT_EQ(line.substr(0, row.expected.size()), row.expected) << line;
    }
    EXPECT_FALSE(velunta::ReadCalendar(row.file, "c.toml").has_value());
  }
  const auto missing = velunta::ReadCalendarFile(kData + "/no-such-calendar.toml");
  ASSERT_FALSE(missing.has_value());
  EXPECT_EQ(missing.error().line, 0U);
  EXPECT_EQ(missing.error().ToString(),
            kData + "/no-such-calendar.toml: cannot read the file: " + "No such file or directory");
  EXPECT_FALSE(velunta::ReadCalendarFile(kData).has_value()) << "a directory";
}

// Only regular files of at most 1 MB are read: a device or a FIFO named by mistake (or on
// purpose, at a server's start) is refused at once rather than read forever or waited on.
TEST(CalendarFile, ReadsOnlySmallRegularFiles) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("velunta-calendar-file-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto fifo = folder / "fifo.toml";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto write = [&](const char* name, std::size_t bytes) {
    std::ofstream(folder / name) << std::string(bytes - 1, '#') << '\n';
    return (folder / name).string();
  };
  const std::string largest = write("largest.toml", 1024 * 1024);
  const std::string tooLarge = write("too-large.toml", 1024 * 1024 + 1);
  const struct {
    const char* text;
    std::string path;
    std::string expected;  // "" when the file is read
  } kCases[] = {
      {"an endless device", "/dev/zero", "/dev/zero: cannot read the file: not a regular file"},
      {"a FIFO with no writer", fifo.string(),
       fifo.string() + ": cannot read the file: not a regular file"},
      {"a directory", folder.string(),
       folder.string() + ": cannot read the file: it is a directory"},
      {"one byte over 1 MB", tooLarge,
       tooLarge + ": cannot read the file: larger than 1 MB; accepted: at most 1 MB"},
      {"exactly 1 MB of comments", largest, ""},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    const auto options = velunta::ReadCalendarOptionsFile(row.path);
    if (row.expected.empty()) {
      EXPECT_TRUE(options.has_value()) << options.error().ToString();
    } else {
      ASSERT_FALSE(options.has_value());
      EXPECT_EQ(options.error().ToString(), row.expected);
    }
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
