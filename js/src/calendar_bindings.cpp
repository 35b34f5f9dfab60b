// A business calendar held by JavaScript: made once from a calendar file's text (the JavaScript
// layer writes its options object as one, so that one reader checks both), then asked with packed
// dates (dates.h). The JavaScript layer frees it with delete(), by hand or when it is collected.

#include <optional>
#include <string>
#include <vector>

#include <emscripten/bind.h>

#include <velunta/business_calendar.h>
#include <velunta/calendar_file.h>
#include <velunta/request/choices.h>
#include <velunta/request/queries.h>
#include <velunta/request/values.h>

#include "dates.h"
#include "failure.h"
#include "json_text.h"

namespace velunta::js {
namespace {

using namespace std::chrono;

class Calendar {
 public:
  explicit Calendar(BusinessCalendar calendar) : calendar_(std::move(calendar)) {}

  // Returns 1 for a business day, 0 for a closed one, kRefused for a bad date.
  int IsBusinessDay(int packed) const {
    const auto date = Unpacked(packed);
    if (!date) return kRefused;
    const auto open = Answered(calendar_.IsBusinessDay(*date),
                               [&] { return "business is " + PackedText(packed); });
    return open ? (*open ? 1 : 0) : kRefused;
  }

  // Returns the n-th business day after (n > 0) or before the date, packed; 0 when refused.
  int Add(int packed, double n) const {
    const auto date = Unpacked(packed);
    if (!date) return 0;
    auto counted =
        request::Count(WholeText(n), -request::kMostBusinessDays, request::kMostBusinessDays);
    if (!counted.has_value()) return Refuse(counted.refusal(), 0);
    return PackedOr0(Answered(calendar_.Add(*date, *counted), [&] {
      return "business add " + PackedText(packed) + " " + WholeText(n);
    }));
  }

  // Returns the number of business days d with from <= d < to (minus those with to <= d < from
  // when to < from), kRefused when refused.
  int Count(int first, int last) const {
    const auto from = Unpacked(first);
    const auto to = from ? Unpacked(last) : std::nullopt;
    if (!from || !to) return kRefused;
    return Answered(calendar_.Count(*from, *to),
                    [&] { return "business count " + PackedText(first) + " " + PackedText(last); })
        .value_or(kRefused);
  }

  int Next(int packed) const { return Step(packed, 1, "next"); }
  int Previous(int packed) const { return Step(packed, -1, "previous"); }

  // Returns the date rolled onto a business day by the convention word ("following", ...).
  int Roll(int packed, const std::string& convention) const {
    const auto date = Unpacked(packed);
    if (!date) return 0;
    auto chosen = request::Choose(convention, request::kConventions);
    if (!chosen.has_value()) return Refuse(chosen.refusal(), 0);
    return PackedOr0(Answered(calendar_.Roll(*date, *chosen), [&] {
      return "business roll " + PackedText(packed) + " " + convention;
    }));
  }

  // Returns the JSON array of a year's closed days, "" when refused.
  std::string ClosedDays(int y) const {
    auto read = request::Year(std::to_string(y), records::LawSource());
    if (!read.has_value()) return Refuse(read.refusal(), std::string());
    const auto days = calendar_.ClosedDays(*read);
    if (!days.has_value()) return Refuse(std::string(Describe(days.error())), std::string());
    return ClosedDaysJson(*days);
  }

 private:
  // Returns the value, or nothing after keeping the refusal the command words for the request,
  // which `asked` writes only then: a call that succeeds allocates nothing.
  template <class T, class Asked>
  static std::optional<T> Answered(const Result<T>& result, Asked&& asked) {
    if (result.has_value()) return *result;
    return Refuse(request::CalendarRefusal(result.error(), asked(), request::DateStyle::iso),
                  std::optional<T>());
  }

  static int PackedOr0(const std::optional<year_month_day>& date) {
    return date ? js::Packed(*date) : 0;
  }

  int Step(int packed, int n, const char* word) const {
    const auto date = Unpacked(packed);
    if (!date) return 0;
    return PackedOr0(Answered(calendar_.Add(*date, n), [&] {
      return std::string("business ") + word + " " + PackedText(packed);
    }));
  }

  BusinessCalendar calendar_;
};

// Returns the calendar a calendar file's text describes, or null after keeping the refusal:
// "FILE:LINE: message" for a file, the message alone for options written as one
// (`fileName` empty).
Calendar* ReadCalendarText(const std::string& text, const std::string& fileName) {
  auto read = ReadCalendar(text, fileName.empty() ? "options" : fileName);
  if (!read.has_value()) {
    return Refuse(fileName.empty() ? read.error().message : read.error().ToString(), nullptr);
  }
  return new Calendar(std::move(read).value());
}

}  // namespace

EMSCRIPTEN_BINDINGS(velunta_calendar) {
  emscripten::class_<Calendar>("Calendar")
      .function("isBusinessDay", &Calendar::IsBusinessDay)
      .function("add", &Calendar::Add)
      .function("count", &Calendar::Count)
      .function("next", &Calendar::Next)
      .function("previous", &Calendar::Previous)
      .function("roll", &Calendar::Roll)
      .function("closedDays", &Calendar::ClosedDays);
  emscripten::function("readCalendar", &ReadCalendarText, emscripten::allow_raw_pointers());
}

}  // namespace velunta::js
