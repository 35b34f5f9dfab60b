#include "routes.h"

#include <array>

#include <velunta/request/choices.h>
#include <velunta/request/queries.h>

#include "answers.h"

namespace velunta::server {
namespace {

using request::WordsOf;

constexpr auto kRulesWords = WordsOf<request::kRules>();
constexpr auto kLabelsWords = WordsOf<request::kLabels>();
constexpr auto kLangWords = WordsOf<request::kLangs>();
constexpr auto kDayFormatWords = WordsOf<request::kDayFormats>();
constexpr auto kListFormatWords = WordsOf<request::kListFormats>();
constexpr auto kConventionWords = WordsOf<request::kConventions>();

constexpr Param kRules{"rules",
                       ParamKind::choice,
                       "law (default): the days off Japan observes; classic: the module's fixed "
                       "table",
                       "classic",
                       false,
                       kRulesWords};
constexpr Param kLabels{"labels",
                        ParamKind::choice,
                        "law (default): holidays as the law names them; official: as the Cabinet "
                        "Office's list labels them",
                        "official",
                        false,
                        kLabelsWords};
constexpr Param kLang{"lang", ParamKind::choice, "ja (default) or en: names in iCalendar", "en",
                      false,  kLangWords};
constexpr Param kDayFormat{"format", ParamKind::choice, "json (default) or csv", "csv",
                           false,    kDayFormatWords};
constexpr Param kListFormat{"format", ParamKind::choice, "json (default), csv or ics", "ics",
                            false,    kListFormatWords};
constexpr Param kSundays{"sundays", ParamKind::flag, "count the Sundays with no holiday too",
                         "true"};
constexpr Param kNearestDate{"date", ParamKind::date,
                             "a date: 2026-05-06, 2026/5/6, 20260506, 2026年5月6日 or "
                             "令和8年5月6日 (default: today in Japan)",
                             "2026-05-01"};
constexpr Param kNearestCount{
    "count", ParamKind::count,         "how many days off (default 1)", "3", false, {},
    1,       request::kMostNearestDays};
constexpr Param kYear{"year", ParamKind::year, "a year", "2026", true};

constexpr Param kDay[] = {{"date",
                           ParamKind::date,
                           "a date in any form of the date parameters",
                           "2026-05-06",
                           true,
                           {},
                           0,
                           0,
                           true},
                          kRules,
                          kLabels,
                          kLang,
                          kDayFormat};
// A span of days: a year, or from and to; with none of them, this year in Japan (as `velunta
// list` with no argument), so no single one is required.
constexpr Param kSpanYear{"year", ParamKind::year,
                          "a year (default, when from and to are absent too: this year in Japan)",
                          "2026"};
constexpr Param kSpanFrom{"from", ParamKind::rangeEnd,
                          "the first day, with to: a date, a month (its first day) or a year",
                          "2026-04"};
constexpr Param kSpanTo{"to", ParamKind::rangeEnd,
                        "the last day, with from: a date, a month (its last day) or a year",
                        "2026-05-06"};
constexpr std::string_view kSpanNames[] = {"year", "from", "to"};
constexpr std::string_view kNearestNames[] = {"date"};

constexpr Param kHolidays[] = {kSpanYear, kSpanFrom, kSpanTo, kSundays,
                               kRules,    kLabels,   kLang,   kListFormat};
constexpr Param kNearest[] = {kNearestDate, kNearestCount, kSundays,   kRules,
                              kLabels,      kLang,         kListFormat};
constexpr Param kEquinox[] = {kYear, kRules, kLabels, kDayFormat};

// Returns two lists of parameters as one, in order.
template <std::size_t N, std::size_t M>
constexpr std::array<Param, N + M> Joined(const std::array<Param, N>& first,
                                          const std::array<Param, M>& second) {
  std::array<Param, N + M> both{};
  for (std::size_t i = 0; i < N; ++i) both[i] = first[i];
  for (std::size_t i = 0; i < M; ++i) both[N + i] = second[i];
  return both;
}

// The choices every business request adds to its calendar's, as the command's options do.
constexpr std::array<Param, 6> kBusinessCalendarChoices = {{
    {"saturday_workday", ParamKind::flag, "count Saturdays as business days", "true"},
    {"bank_closing_days", ParamKind::flag, "close on December 31, January 2 and January 3 too",
     "true"},
    {"government_closing_days", ParamKind::flag,
     "close from December 29 to January 3 too (行政機関の休日)", "true"},
    {"closed", ParamKind::dateList, "own closing dates, comma-separated", "2026-05-07,2026-05-08"},
    {"calendar", ParamKind::calendar,
     "a calendar file loaded at start (velunta serve --calendar NAME=FILE); the parameters "
     "above add to its choices",
     ""},
    kLang,
}};
constexpr auto kBusinessChoices = Joined(kBusinessCalendarChoices, std::array{kDayFormat});
constexpr auto kBusinessClosed = Joined(std::array{kSpanYear, kSpanFrom, kSpanTo},
                                        Joined(kBusinessCalendarChoices, std::array{kListFormat}));

constexpr Param kBusinessDate{"date", ParamKind::date, "a date", "2026-04-30", true};
constexpr auto kBusinessOne = Joined(std::array{kBusinessDate}, kBusinessChoices);
constexpr auto kBusinessAdd =
    Joined(std::array{kBusinessDate, Param{"n",
                                           ParamKind::count,
                                           "business days to add; negative counts back",
                                           "3",
                                           true,
                                           {},
                                           -request::kMostBusinessDays,
                                           request::kMostBusinessDays}},
           kBusinessChoices);
constexpr auto kBusinessCount = Joined(
    std::array{Param{"from", ParamKind::date, "the first date, included", "2026-05-01", true},
               Param{"to", ParamKind::date, "the last date, included", "2026-05-31", true}},
    kBusinessChoices);
constexpr auto kBusinessRoll = Joined(
    std::array{kBusinessDate, Param{"convention", ParamKind::choice,
                                    "how a closed day moves: following (default), preceding, "
                                    "modified-following or modified-preceding",
                                    "modified-following", false, kConventionWords}},
    kBusinessChoices);

constexpr Param kPage[] = {{"year",
                            ParamKind::year,
                            "the year shown (default: this year in Japan)",
                            "2026",
                            false,
                            {},
                            0,
                            0,
                            false,
                            true},
                           {"date",
                            ParamKind::date,
                            "a date to look up, marked in its year",
                            "2026-05-06",
                            false,
                            {},
                            0,
                            0,
                            false,
                            true},
                           {"lang", ParamKind::choice, "ja (default) or en: the page's language",
                            "en", false, kLangWords}};

constexpr std::array kRoutes = {
    Route{"/v1/days/{date}", "getDay",
          "One day's record: holiday kind and names, day off, predicted", kDay, Answers::day, Day,
          true},
    Route{"/v1/holidays", "listHolidays", "The days off of a year or of a range", kHolidays,
          Answers::days, Holidays, true, kSpanNames},
    Route{"/v1/next", "nextHolidays", "The next days off after a date (today in Japan by default)",
          kNearest, Answers::days, Next, true, kNearestNames},
    Route{"/v1/previous", "previousHolidays",
          "The last days off before a date (today in Japan by default)", kNearest, Answers::days,
          Previous, true, kNearestNames},
    Route{"/v1/equinox", "getEquinoxes", "The vernal and autumnal equinox of a year", kEquinox,
          Answers::equinoxes, EquinoxDays, true},
    Route{"/v1/business/is", "isBusinessDay", "Whether a date is a business day", kBusinessOne,
          Answers::day, BusinessIs, true},
    Route{"/v1/business/add", "addBusinessDays", "The date n business days after a date",
          kBusinessAdd, Answers::day, BusinessAdd, true},
    Route{"/v1/business/count", "countBusinessDays",
          "Business days from one date to another, both included", kBusinessCount, Answers::count,
          BusinessCount, true},
    Route{"/v1/business/next", "nextBusinessDay", "The first business day after a date",
          kBusinessOne, Answers::day, BusinessNext, true},
    Route{"/v1/business/previous", "previousBusinessDay", "The last business day before a date",
          kBusinessOne, Answers::day, BusinessPrevious, true},
    Route{"/v1/business/roll", "rollToBusinessDay", "A date moved onto a business day",
          kBusinessRoll, Answers::day, BusinessRoll, true},
    Route{"/v1/business/closed", "listClosedDays",
          "The closed days of a year or of a range, with every reason each is closed",
          kBusinessClosed, Answers::closedDays, BusinessClosed, true, kSpanNames},
    Route{"/calendar.ics",
          "getFeed",
          "Days off from last year to two years ahead, in Japanese",
          {},
          Answers::feed,
          Feed,
          false},
    Route{"/calendar.en.ics",
          "getFeedEn",
          "The same feed in English",
          {},
          Answers::feed,
          Feed,
          false},
    Route{"/",
          "getPage",
          "A year's page: twelve months with the days off; parameters it does not take are "
          "ignored",
          kPage,
          Answers::page,
          Page,
          false,
          {},
          true},
    Route{"/openapi.json", "getOpenApi", "This document", {}, Answers::document, OpenApi, true},
    Route{
        "/healthz", "getHealth", "Whether the server answers", {}, Answers::health, Healthz, true},
};

}  // namespace

std::span<const Route> Routes() noexcept {
  return kRoutes;
}

const Route* FindRoute(std::string_view path, std::string_view& tail) noexcept {
  for (const auto& route : kRoutes) {
    const auto brace = route.path.find('{');
    if (brace == std::string_view::npos) {
      if (path == route.path) {
        tail = {};
        return &route;
      }
    } else if (path.size() > brace && path.starts_with(route.path.substr(0, brace))) {
      tail = path.substr(brace);
      return &route;
    }
  }
  return nullptr;
}

bool TargetAlone(const Route& route,
                 const std::vector<std::pair<std::string, std::string>>& query) noexcept {
  if (!route.targetAlone) return false;
  if (route.todayUnless.empty()) return true;
  for (const auto& [name, value] : query) {
    for (const auto named : route.todayUnless) {
      if (name == named) return true;
    }
  }
  return false;
}

const Param* FindParam(const Route& route, std::string_view name) noexcept {
  for (const auto& param : route.params) {
    if (param.name == name) return &param;
  }
  return nullptr;
}

}  // namespace velunta::server
