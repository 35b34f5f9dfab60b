// /v1/business/{is|add|count|next|previous|roll}: the command's business subcommands, and is and
// roll, with its options as parameters.

#include <array>
#include <sstream>

#include <velunta/records/date_texts.h>
#include <velunta/server/business_rules.h>

#include "answers.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

class OptionBusinessRules final : public BusinessRules {
 public:
  OptionBusinessRules(bool saturdayWorkday, bool bankClosingDays,
                      std::vector<year_month_day> closed)
      : closed_(std::move(closed)),
        options_{.saturdayOff = !saturdayWorkday,
                 .sundayOff = true,
                 .bankClosingDays = bankClosingDays,
                 .extraClosedDays = closed_} {}

  Result<bool> IsOpen(year_month_day date) const override { return IsBusinessDay(date, options_); }
  Result<year_month_day> Add(year_month_day from, int n) const override {
    return AddBusinessDays(from, n, options_);
  }
  Result<int> Count(year_month_day from, year_month_day to) const override {
    return CountBusinessDays(from, to, options_);
  }
  Result<year_month_day> RollTo(year_month_day date, Roll roll) const override {
    return RollToBusinessDay(date, roll, options_);
  }

 private:
  std::vector<year_month_day> closed_;
  BusinessDayOptions options_;
};

// Returns the answer of a calendar request or throws BadRequest naming the request.
template <class T>
T Answer(const Result<T>& result, const std::string& request) {
  if (result.has_value()) return *result;
  if (result.error() == CalendarError::outOfRange) {
    throw BadRequest("result out of range: " + request +
                     "; accepted: requests answered within 1600-01-01 to 2399-12-31");
  }
  throw BadRequest(std::string(Describe(result.error())) + ": " + request);
}

// The parameters every business request shares, then its own.
constexpr std::array<std::string_view, 6> kShared = {
    "saturday_workday", "bank_closing_days", "closed", "calendar", "lang", "format"};

Parameters Read(const Context& context, std::initializer_list<std::string_view> own) {
  std::vector<std::string_view> known(own);
  known.insert(known.end(), kShared.begin(), kShared.end());
  return Parameters(context.query, std::move(known));
}

std::unique_ptr<BusinessRules> RulesOf(const Parameters& params) {
  if (const auto* name = params.Find("calendar")) {
    throw BadRequest("unknown calendar: " + Quoted(*name) +
                     "; accepted: none (this server loads no calendar files)");
  }
  std::vector<year_month_day> closed;
  if (const auto* list = params.Find("closed")) {
    std::string_view rest = *list;
    while (true) {
      const auto comma = rest.find(',');
      closed.push_back(ReadDate("closed", rest.substr(0, comma), records::LawSource()));
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
  return OptionRules(params.Flag("saturday_workday"), params.Flag("bank_closing_days"),
                     std::move(closed));
}

Response Written(const std::ostringstream& out, records::Format format) {
  Response response;
  response.Set("Content-Type", std::string(ContentType(format)));
  response.body = out.str();
  return response;
}

// The day a request answered with, as the command writes it: its record and whether it is open.
Response OneDay(const Context& context, const Parameters& params, const BusinessRules& rules,
                year_month_day date, const std::string& request) {
  const auto format = params.Format(false);
  auto day = records::LawSource().Day(date);
  day.businessDay = Answer(rules.IsOpen(date), request);
  std::ostringstream out;
  const auto writer =
      records::MakeDayWriter(WriterFor(format, params.Lang(), context.version), out);
  writer->Begin();
  writer->Day(day);
  writer->End();
  return Written(out, format);
}

Response Count(const Parameters& params, const BusinessRules& rules) {
  const auto& source = records::LawSource();
  const auto first = params.Date("from", source);
  const auto last = params.Date("to", source);
  if (first > last) {
    throw BadRequest("from after to: " + Quoted(*params.Find("from")) + " is after " +
                     Quoted(*params.Find("to")) + "; accepted: from on or before to");
  }
  params.Lang();
  const auto format = params.Format(false);
  const std::string request =
      "business count " + records::IsoDate(first) + " " + records::IsoDate(last);
  // Both ends included: the days before `last`, and `last` itself.
  const int count =
      Answer(rules.Count(first, last), request) + (Answer(rules.IsOpen(last), request) ? 1 : 0);
  constexpr std::string_view kColumns[] = {"from", "to", "business_days"};
  const records::Cell cells[] = {records::IsoDate(first), records::IsoDate(last),
                                 std::int64_t{count}};
  std::ostringstream out;
  const auto table = records::MakeTableWriter(format, out);
  table->Begin(kColumns);
  table->Row(cells);
  table->End();
  return Written(out, format);
}

}  // namespace

std::unique_ptr<BusinessRules> OptionRules(bool saturdayWorkday, bool bankClosingDays,
                                           std::vector<year_month_day> closed) {
  return std::make_unique<OptionBusinessRules>(saturdayWorkday, bankClosingDays, std::move(closed));
}

Response Business(const Context& context) {
  const auto& source = records::LawSource();
  const std::string operation(context.tail);
  if (operation == "count") {
    const auto params = Read(context, {"from", "to"});
    return Count(params, *RulesOf(params));
  }
  if (operation == "is") {
    const auto params = Read(context, {"date"});
    const auto date = params.Date("date", source);
    return OneDay(context, params, *RulesOf(params), date, "business is " + records::IsoDate(date));
  }
  if (operation == "add") {
    const auto params = Read(context, {"date", "n"});
    const auto rules = RulesOf(params);
    const auto from = params.Date("date", source);
    const int n = params.Number("n", -1'000'000, 1'000'000);
    const std::string request = "business add " + records::IsoDate(from) + " " + std::to_string(n);
    return OneDay(context, params, *rules, Answer(rules->Add(from, n), request), request);
  }
  if (operation == "next" || operation == "previous") {
    const auto params = Read(context, {"date"});
    const auto rules = RulesOf(params);
    const auto from = params.Date("date", source);
    const std::string request = "business " + operation + " " + records::IsoDate(from);
    const int step = operation == "next" ? 1 : -1;
    return OneDay(context, params, *rules, Answer(rules->Add(from, step), request), request);
  }
  if (operation == "roll") {
    const auto params = Read(context, {"date", "convention"});
    const auto rules = RulesOf(params);
    const auto date = params.Date("date", source);
    Roll roll = Roll::following;
    if (const auto* convention = params.Find("convention")) {
      if (*convention == "preceding") {
        roll = Roll::preceding;
      } else if (*convention == "modified-following") {
        roll = Roll::modifiedFollowing;
      } else if (*convention != "following") {
        throw BadRequest("unknown value for convention: " + Quoted(*convention) +
                         "; accepted: following, preceding, modified-following");
      }
    }
    const std::string request = "business roll " + records::IsoDate(date);
    return OneDay(context, params, *rules, Answer(rules->RollTo(date, roll), request), request);
  }
  throw NotFound("unknown business request: " + Quoted(operation) +
                 "; accepted: is, add, count, next, previous, roll");
}

}  // namespace velunta::server
