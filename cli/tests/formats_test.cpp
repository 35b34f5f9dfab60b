// The output formats: json and csv carry what the text lines say; the iCalendar file is one that
// libical reads without a single error, folded, CRLF-terminated and reproducible.

#include <gtest/gtest.h>

#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include <velunta/records/ics_text.h>
#include <velunta/records/table_writer.h>

#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

using nlohmann::json;
using records::EscapeText;
using records::FoldLine;

const std::map<std::string, std::string> kJapaneseWeekday = {
    {"Sun", "日"}, {"Mon", "月"}, {"Tue", "火"}, {"Wed", "水"},
    {"Thu", "木"}, {"Fri", "金"}, {"Sat", "土"}};

std::string SlashDate(const std::string& iso) {
  return iso.substr(0, 4) + "/" + iso.substr(5, 2) + "/" + iso.substr(8, 2);
}

TEST(Json, SaysWhatTheTextLinesSay) {
  for (const char* rules : {"--rules=law", "--rules=classic"}) {
    SCOPED_TRACE(rules);
    const std::vector<std::string> range{"list", rules, "1948", "2099", "--sundays"};
    auto withFormat = [&](const std::string& extra, const std::string& more = "") {
      auto args = range;
      args.push_back(extra);
      if (!more.empty()) args.push_back(more);
      return RunVelunta(args).out;
    };
    const auto days = json::parse(withFormat("--format=json"));
    const auto lines = Lines(withFormat("--format=text"));
    const auto english = Lines(withFormat("--format=text", "--lang=en"));
    ASSERT_EQ(days.size(), lines.size());
    ASSERT_EQ(days.size(), english.size());
    const std::set<std::string> kKinds = {"national", "special-act", "substitute", "citizens",
                                          "sunday"};
    for (std::size_t i = 0; i < days.size(); ++i) {
      const auto& day = days[i];
      ASSERT_EQ(day.size(), 8U);
      const std::string date = day["date"], weekday = day["weekday"], name = day["name"],
                        nameEn = day["name_en"], kind = day["kind"];
      const bool predicted = day["predicted"];
      EXPECT_EQ(lines[i], SlashDate(date) + "(" + kJapaneseWeekday.at(weekday) + ") " + name +
                              (predicted ? "（予測）" : ""));
      EXPECT_EQ(english[i], SlashDate(date) + "(" + weekday + ") " + nameEn +
                                (predicted ? " (predicted)" : ""));
      EXPECT_TRUE(kKinds.contains(kind)) << kind;
      EXPECT_TRUE(day["day_off"]) << date;
      EXPECT_TRUE(day["business_day"].is_null()) << date;
      // The window's list leaves a plain Sunday unnamed; the law calendar names it.
      const bool classic = std::string(rules) == "--rules=classic";
      EXPECT_EQ(kind == "sunday" && classic, name.empty()) << date;
      EXPECT_TRUE(!predicted || (!classic && date >= "2028")) << date;
      EXPECT_EQ(name.empty(), nameEn.empty()) << date;
      EXPECT_TRUE(kind != "sunday" || weekday == "Sun") << date;
    }
  }
}

// Splits RFC 4180 text into records of fields.
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    auto& field = records.back().back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      if (i + 1 < text.size()) records.emplace_back(1);
    } else if (c == '\r' || c == '\n') {
      ADD_FAILURE() << "a bare " << (c == '\n' ? "LF" : "CR") << " at " << i;
    } else {
      field += c;
    }
  }
  return records;
}

TEST(Csv, SaysWhatTheJsonSays) {
  const auto days = json::parse(RunVelunta({"list", "1948", "2399", "--format=json"}).out);
  const auto records = ParseCsv(RunVelunta({"list", "1948", "2399", "--format=csv"}).out);
  ASSERT_EQ(records.size(), days.size() + 1);
  EXPECT_EQ(records[0], (std::vector<std::string>{"date", "weekday", "name", "name_en", "kind",
                                                  "day_off", "predicted", "business_day"}));
  auto truth = [](const json& value) { return value.is_null() ? "" : value.dump(); };
  for (std::size_t i = 0; i < days.size(); ++i) {
    const auto& day = days[i];
    EXPECT_EQ(records[i + 1],
              (std::vector<std::string>{day["date"], day["weekday"], day["name"], day["name_en"],
                                        day["kind"], truth(day["day_off"]), truth(day["predicted"]),
                                        truth(day["business_day"])}));
  }
}

TEST(Csv, QuotesWhatNeedsQuoting) {
  const struct {
    const char* name;
    std::string field;
    std::string written;
  } kCases[] = {
      {"plain", "休日", "休日"},
      {"comma", "a,b", "\"a,b\""},
      {"quote", "say \"hi\"", "\"say \"\"hi\"\"\""},
      {"line break", "a\r\nb", "\"a\r\nb\""},
      {"lone LF", "a\nb", "\"a\nb\""},
      {"empty", "", ""},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    std::ostringstream out;
    const auto csv = records::MakeCsvWriter(out);
    constexpr std::string_view kColumns[] = {"h"};
    csv->Begin(kColumns);
    csv->Row(std::vector<records::Cell>{row.field});
    csv->Row(std::vector<records::Cell>{std::int64_t{-7}});
    csv->End();
    EXPECT_EQ(out.str(), "h\r\n" + row.written + "\r\n-7\r\n");
    const auto parsed = ParseCsv(out.str());
    ASSERT_EQ(parsed.size(), 3U);
    EXPECT_EQ(parsed[1][0], row.field);
  }
}

// ---------------------------------------------------------------------------------------------
// iCalendar

TEST(Ics, EscapesText) {
  const struct {
    const char* name;
    std::string text;
    std::string escaped;
  } kCases[] = {
      {"plain", "振替休日", "振替休日"},
      {"comma and semicolon", "元日, New Year's Day; national",
       "元日\\, New Year's Day\\; national"},
      {"backslash", "a\\b", "a\\\\b"},
      {"LF", "a\nb", "a\\nb"},
      {"CRLF is one break", "a\r\nb", "a\\nb"},
      {"lone CR", "a\rb", "a\\nb"},
      {"colon stays", "a:b", "a:b"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(EscapeText(row.text), row.escaped);
  }
}

TEST(Ics, FoldsAt75OctetsOnCharacterBoundaries) {
  const std::string a75(75, 'a');
  const std::string kanji = "祝";  // 3 octets
  std::string kanji30;
  for (int i = 0; i < 30; ++i) kanji30 += kanji;
  const struct {
    const char* name;
    std::string line;
    std::string folded;
  } kCases[] = {
      {"short", "VERSION:2.0", "VERSION:2.0\r\n"},
      {"exactly 75", a75, a75 + "\r\n"},
      {"76", a75 + "b", a75 + "\r\n b\r\n"},
      {"continuations hold 74 after the space", std::string(75 + 74 + 1, 'c'),
       std::string(75, 'c') + "\r\n " + std::string(74, 'c') + "\r\n c\r\n"},
      // 74 ASCII then a 3-octet character: cutting at 75 would split it, so it moves down.
      {"character across the boundary", std::string(74, 'x') + kanji,
       std::string(74, 'x') + "\r\n " + kanji + "\r\n"},
      // 25 kanji fill exactly 75 octets; the next five go on one continuation line.
      {"kanji only", kanji30, kanji30.substr(0, 75) + "\r\n " + kanji30.substr(75) + "\r\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(FoldLine(row.line), row.folded);
  }
}

// Returns whether a physical line holds only whole UTF-8 sequences.
bool WholeUtf8(const std::string& line) {
  for (std::size_t i = 0; i < line.size();) {
    const auto lead = static_cast<unsigned char>(line[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > line.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(line[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::string PropertyText(icalcomponent* event, icalproperty_kind kind) {
  icalproperty* property = icalcomponent_get_first_property(event, kind);
  if (property == nullptr) return "(missing)";
  const char* text = icalproperty_get_value_as_string(property);
  if (kind == ICAL_SUMMARY_PROPERTY) text = icalproperty_get_summary(property);
  if (kind == ICAL_DESCRIPTION_PROPERTY) text = icalproperty_get_description(property);
  return text == nullptr ? "" : text;
}

std::string DateOf(icaltimetype time) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.year, time.month, time.day);
  return text;
}

struct IcsCase {
  const char* name;
  std::vector<std::string> listArgs;  // after "list"
  bool english;
};

TEST(Ics, LibicalReadsEveryEventWithoutErrors) {
  const IcsCase kCases[] = {
      {"2026", {"2026"}, false},
      {"every year of the law calendar, English", {"1948", "2399"}, true},
      {"with Sundays", {"1959", "1960", "--sundays"}, false},
      {"classic", {"--rules=classic", "1949", "2099"}, false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    std::vector<std::string> args{"list", "--format=ics"};
    args.insert(args.end(), row.listArgs.begin(), row.listArgs.end());
    if (row.english) args.push_back("--lang=en");
    const auto result = RunVelunta(args);
    ASSERT_EQ(result.status, 0) << result.err;
    args[1] = "--format=json";
    const auto days = json::parse(RunVelunta(args).out);

    icalerror_clear_errno();
    icalcomponent* calendar = icalparser_parse_string(result.out.c_str());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(icalerrno, ICAL_NO_ERROR) << icalerror_strerror(icalerrno);
    EXPECT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);
    EXPECT_NE(icalcomponent_get_first_property(calendar, ICAL_PRODID_PROPERTY), nullptr);
    EXPECT_EQ(PropertyText(calendar, ICAL_VERSION_PROPERTY), "2.0");
    EXPECT_EQ(icalrestriction_check(calendar), 1);
    EXPECT_EQ(icalcomponent_count_errors(calendar), 0);

    std::set<std::string> uids;
    std::size_t i = 0;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event != nullptr;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++i) {
      ASSERT_LT(i, days.size());
      const auto& day = days[i];
      SCOPED_TRACE(day["date"].get<std::string>());
      const icaltimetype start = icalcomponent_get_dtstart(event);
      const icaltimetype end = icalcomponent_get_dtend(event);
      EXPECT_TRUE(start.is_date && end.is_date);
      EXPECT_EQ(DateOf(start), day["date"]);
      icaltimetype following = start;
      icaltime_adjust(&following, 1, 0, 0, 0);
      EXPECT_EQ(icaltime_compare_date_only(end, following), 0);
      const std::string kind = day["kind"];
      const std::string ja = kind == "sunday" ? "日曜日" : day["name"].get<std::string>();
      const std::string en = kind == "sunday" ? "Sunday" : day["name_en"].get<std::string>();
      EXPECT_EQ(PropertyText(event, ICAL_SUMMARY_PROPERTY), row.english ? en : ja);
      const std::string description = PropertyText(event, ICAL_DESCRIPTION_PROPERTY);
      EXPECT_TRUE(description.starts_with(ja + ", " + en + "; " + kind)) << description;
      EXPECT_EQ(description.find("予測") != std::string::npos, day["predicted"].get<bool>());
      EXPECT_EQ(PropertyText(event, ICAL_STATUS_PROPERTY),
                day["predicted"] ? "TENTATIVE" : "(missing)");
      EXPECT_EQ(PropertyText(event, ICAL_CATEGORIES_PROPERTY), kind);
      const icaltimetype stamp =
          icalproperty_get_dtstamp(icalcomponent_get_first_property(event, ICAL_DTSTAMP_PROPERTY));
      EXPECT_TRUE(icaltime_is_utc(stamp));
      const std::string uid = icalcomponent_get_uid(event);
      EXPECT_TRUE(uid.starts_with(DateOf(start).erase(7, 1).erase(4, 1) + "-")) << uid;
      EXPECT_TRUE(uids.insert(uid).second) << "repeated UID " << uid;
    }
    EXPECT_EQ(i, days.size());
    icalcomponent_free(calendar);
  }
}

TEST(Ics, LinesAreCrlfFoldedAndWhole) {
  // The longest names: the special-act days of 1959, 1989, 1990, 1993 and 2019, in both languages.
  for (const char* lang : {"--lang=ja", "--lang=en"}) {
    SCOPED_TRACE(lang);
    const auto result = RunVelunta({"list", "1948", "2399", "--format=ics", lang});
    ASSERT_EQ(result.status, 0);
    const std::string& text = result.out;
    ASSERT_TRUE(text.ends_with("END:VCALENDAR\r\n"));
    std::size_t lines = 0;
    std::size_t continuations = 0;
    for (std::size_t start = 0; start < text.size();) {
      const auto end = text.find("\r\n", start);
      ASSERT_NE(end, std::string::npos);
      const std::string line = text.substr(start, end - start);
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare CR or LF: " << line;
      EXPECT_LE(line.size(), 75U) << line;
      EXPECT_TRUE(WholeUtf8(line)) << "split character: " << line;
      if (line.starts_with(" ")) ++continuations;
      ++lines;
      start = end + 2;
    }
    EXPECT_GT(continuations, 0U) << "no line long enough to fold";
    EXPECT_GT(lines, 1000U);
  }
}

TEST(Ics, StableWhateverTheRunAndZone) {
  const auto first = RunVelunta({"list", "2026", "--format=ics"}, {"TZ=UTC"});
  const auto second = RunVelunta({"list", "2026", "--format=ics"}, {"TZ=America/Los_Angeles"});
  EXPECT_EQ(first.out, second.out);
  // UID from the date and the name; DTSTAMP the start of the day in Japan.
  const std::string event =
      "BEGIN:VEVENT\r\n"
      "UID:20260506-substitute-holiday@velunta\r\n"
      "DTSTAMP:20260505T150000Z\r\n"
      "DTSTART;VALUE=DATE:20260506\r\n"
      "DTEND;VALUE=DATE:20260507\r\n"
      "SUMMARY:振替休日\r\n";
  EXPECT_NE(first.out.find(event), std::string::npos);
  EXPECT_TRUE(first.out.starts_with("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velunta//"));
}

// A day that rests on an equinox day not yet announced is marked so in every format; one that
// rests on an announced equinox day is not.
TEST(Formats, PredictedDaysAreMarkedInEveryFormat) {
  const struct {
    const char* name;
    std::string date;
    bool predicted;
  } kCases[] = {
      {"citizens' holiday before a predicted 秋分の日", "2032/09/21", true},
      {"substitute holiday after a predicted 春分の日 on a Sunday", "2033/03/21", true},
      {"citizens' holiday before an announced 秋分の日", "2026/09/22", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    auto list = [&row](const std::string& format, const std::string& lang = "--lang=ja") {
      const auto result = RunVelunta({"list", row.date, row.date, "--format=" + format, lang});
      EXPECT_EQ(result.status, 0) << result.err;
      return result.out;
    };
    const std::string text = list("text");
    const std::string english = list("text", "--lang=en");
    ASSERT_TRUE(text.starts_with(row.date)) << text;
    EXPECT_EQ(text.ends_with("（予測）\n"), row.predicted) << text;
    EXPECT_EQ(english.ends_with(" (predicted)\n"), row.predicted) << english;
    const auto csv = ParseCsv(list("csv"));
    ASSERT_EQ(csv.size(), 2U);
    const auto column = std::find(csv[0].begin(), csv[0].end(), "predicted") - csv[0].begin();
    ASSERT_LT(static_cast<std::size_t>(column), csv[1].size());
    EXPECT_EQ(csv[1][static_cast<std::size_t>(column)], row.predicted ? "true" : "false");
    const auto days = json::parse(list("json"));
    ASSERT_EQ(days.size(), 1U);
    EXPECT_EQ(days[0]["predicted"], row.predicted);
    EXPECT_EQ(list("ics").find("\r\nSTATUS:TENTATIVE\r\n") != std::string::npos, row.predicted);
  }
}

}  // namespace
}  // namespace velunta::cli::testing
