// GET /: a year as twelve month tables with every day off marked and named, today and a date
// looked up marked, a form to look up a date and to move between years, and the feed's
// addresses. Plain HTML and CSS, no script. A request it cannot read is answered with the page
// of this year and the reason, never with JSON, since a person reads it.

#include <velunta/records/records_error.h>
#include <velunta/request/queries.h>

#include "answers.h"
#include "page_html.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// The language asked for, read on its own so that a page refusing another parameter still
// speaks it; any other value is refused with the rest.
records::Lang LangAsked(const std::vector<std::pair<std::string, std::string>>& query) {
  for (const auto& [name, value] : query) {
    if (name == "lang" && value == "en") return records::Lang::en;
  }
  return records::Lang::ja;
}

}  // namespace

Response Page(const Context& context) {
  const auto& source = records::LawSource();
  const auto today = request::TodayInJapan(context.now);
  const auto lang = LangAsked(context.query);
  PageView view{.words = WordsOf(lang),
                .lang = lang,
                .year = today.year(),
                .firstYear = source.FirstYear(),
                .lastYear = source.LastYear(),
                .today = today,
                .checked = std::nullopt,
                .daysOff = {},
                .problem = {},
                .publicUrl = context.publicUrl};
  try {
    const auto params = context.Params();
    if (params.Has("date")) view.checked = source.Day(params.Date("date", source));
    view.year = params.Has("year") ? params.Year("year", source)
                : view.checked     ? view.checked->date.year()
                                   : today.year();
  } catch (const BadRequest& bad) {
    view.problem = bad.what();
  } catch (const records::RecordsError& bad) {
    view.problem = bad.what();
  }
  if (!view.problem.empty()) {
    view.checked.reset();
    view.year = today.year();
  }
  source.ForEachDayOff(
      view.year / January / 1, view.year / December / 31, false,
      [&view](const records::DayRecord& day) { view.daysOff.emplace(sys_days{day.date}, day); });
  Response response;
  response.status = view.problem.empty() ? 200 : 400;
  response.Set("Content-Type", "text/html; charset=utf-8");
  response.body = PageHtml(view);
  return response;
}

}  // namespace velunta::server
