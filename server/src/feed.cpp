// /calendar.ics and /calendar.en.ics: the days off from last year to two years ahead, for a
// calendar program to subscribe to.

#include <sstream>

#include <velunta/request/queries.h>

#include "answers.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// How often a subscriber should fetch again: the feed changes once a year and when the rules
// do, so a day is plenty. Its validators and Cache-Control are the handler's, as for every answer.
constexpr std::string_view kRefreshInterval = "P1D";

}  // namespace

Response Feed(const Context& context) {
  context.Params();  // none are taken: any is refused
  const auto lang = context.path == "/calendar.en.ics" ? records::Lang::en : records::Lang::ja;
  const year thisYear = request::TodayInJapan(context.now).year();
  std::ostringstream out;
  const auto writer = records::MakeFeedWriter(
      request::WriterFor(records::Format::ics, lang, context.version), kRefreshInterval, out);
  writer->Begin();
  records::LawSource().ForEachDayOff(
      (thisYear - years{1}) / January / 1, (thisYear + years{2}) / December / 31, false,
      [&writer](const records::DayRecord& day) { writer->Day(day); });
  writer->End();

  Response response;
  response.Set("Content-Type", std::string(ContentType(records::Format::ics)));
  response.body = std::move(out).str();
  return response;
}

}  // namespace velunta::server
