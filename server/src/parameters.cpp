#include "parameters.h"

#include <charconv>
#include <cstdio>

#include <velunta/records/date_texts.h>
#include <velunta/runtime/date_text.h>
#include <velunta/runtime/utf8.h>

#include <velunta/server/target.h>

namespace velunta::server {
namespace {

using namespace std::chrono;

constexpr std::string_view kDateForms =
    "a real date such as 2026-05-06, 2026/5/6, 2026年5月6日 or 令和8年5月6日";

std::string YearRange(const records::DaySource& source) {
  return std::to_string(static_cast<int>(source.FirstYear())) + " to " +
         std::to_string(static_cast<int>(source.LastYear()));
}

std::string Joined(const std::vector<std::string_view>& words) {
  std::string text;
  for (const auto word : words) {
    if (!text.empty()) text += ", ";
    text += word;
  }
  return text;
}

// Returns the value of a parameter with a fixed set of words, or throws naming the words.
template <class T>
T Choice(const Parameters& params, std::string_view name, T absent,
         std::initializer_list<std::pair<std::string_view, T>> choices) {
  const auto* value = params.Find(name);
  if (!value) return absent;
  std::string accepted;
  for (const auto& [word, choice] : choices) {
    if (*value == word) return choice;
    if (!accepted.empty()) accepted.append(", ");
    accepted.append(word);
  }
  throw BadRequest("unknown value for " + std::string(name) + ": " + Quoted(*value) +
                   "; accepted: " + accepted);
}

}  // namespace

Parameters::Parameters(std::vector<std::pair<std::string, std::string>> query,
                       std::vector<std::string_view> known)
    : query_(std::move(query)) {
  for (std::size_t i = 0; i < query_.size(); ++i) {
    const auto& name = query_[i].first;
    bool isKnown = false;
    for (const auto word : known) isKnown = isKnown || name == word;
    if (!isKnown) {
      throw BadRequest("unknown parameter: " + Quoted(name) +
                       "; accepted: " + (known.empty() ? std::string("none") : Joined(known)));
    }
    for (std::size_t k = 0; k < i; ++k) {
      if (query_[k].first == name) {
        throw BadRequest("parameter given twice: " + Quoted(name) + "; accepted: once");
      }
    }
  }
}

const std::string* Parameters::Find(std::string_view name) const noexcept {
  for (const auto& [key, value] : query_) {
    if (key == name) return &value;
  }
  return nullptr;
}

const std::string& Parameters::Required(std::string_view name) const {
  const auto* value = Find(name);
  if (!value) throw BadRequest("missing parameter: " + std::string(name));
  return *value;
}

const records::DaySource& Parameters::Source() const {
  enum class Rules { law, classic };
  enum class Labels { law, official };
  const auto rules =
      Choice(*this, "rules", Rules::law, {{"law", Rules::law}, {"classic", Rules::classic}});
  const auto labels =
      Choice(*this, "labels", Labels::law, {{"law", Labels::law}, {"official", Labels::official}});
  if (rules == Rules::classic) {
    if (labels == Labels::official) {
      throw BadRequest(
          "labels not available with rules=classic: 'official'; accepted: labels=official with "
          "the law calendar (the module names its holidays its own way)");
    }
    return records::ClassicSource();
  }
  return records::LawSource(labels == Labels::official ? LabelStyle::officialList
                                                       : LabelStyle::official);
}

records::Lang Parameters::Lang() const {
  return Choice(*this, "lang", records::Lang::ja,
                {{"ja", records::Lang::ja}, {"en", records::Lang::en}});
}

records::Format Parameters::Format(bool listOfDays) const {
  if (listOfDays) {
    return Choice(*this, "format", records::Format::json,
                  {{"json", records::Format::json},
                   {"csv", records::Format::csv},
                   {"ics", records::Format::ics}});
  }
  return Choice(*this, "format", records::Format::json,
                {{"json", records::Format::json}, {"csv", records::Format::csv}});
}

bool Parameters::Flag(std::string_view name) const {
  return Choice(*this, name, false, {{"true", true}, {"false", false}, {"1", true}, {"0", false}});
}

year_month_day ReadDate(std::string_view what, std::string_view text,
                        const records::DaySource& source) {
  const auto date = runtime::ParseDate(text);
  if (!date) {
    throw BadRequest("not a date for " + std::string(what) + ": " + Quoted(text) +
                     "; accepted: " + std::string(kDateForms));
  }
  if (!source.Covers(*date)) {
    throw BadRequest("date out of range for " + std::string(what) + ": " + Quoted(text) +
                     "; accepted: " + records::IsoDate(source.FirstYear() / January / 1) + " to " +
                     records::IsoDate(source.LastYear() / December / 31));
  }
  return *date;
}

year_month_day Parameters::Date(std::string_view name, const records::DaySource& source) const {
  return ReadDate(name, Required(name), source);
}

year Parameters::Year(std::string_view name, const records::DaySource& source) const {
  const auto& text = Required(name);
  int number = 0;
  const auto* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || stop != end || ec == std::errc::invalid_argument) {
    throw BadRequest("not a year for " + std::string(name) + ": " + Quoted(text) +
                     "; accepted: a whole year from " + YearRange(source));
  }
  if (ec == std::errc::result_out_of_range || number < static_cast<int>(source.FirstYear()) ||
      number > static_cast<int>(source.LastYear())) {
    throw BadRequest("year out of range for " + std::string(name) + ": " + Quoted(text) +
                     "; accepted: " + YearRange(source));
  }
  return year{number};
}

int Parameters::Number(std::string_view name, int lowest, int highest) const {
  const auto& text = Required(name);
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int number = 0;
  const auto* end = digits.data() + digits.size();
  const auto [stop, ec] = std::from_chars(digits.data(), end, number);
  const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
  if (digits.empty() || stop != end || ec == std::errc::invalid_argument) {
    throw BadRequest("not a whole number for " + std::string(name) + ": " + Quoted(text) +
                     "; accepted: " + range);
  }
  if (ec == std::errc::result_out_of_range || number < lowest || number > highest) {
    throw BadRequest("number out of range for " + std::string(name) + ": " + Quoted(text) +
                     "; accepted: " + range);
  }
  return number;
}

}  // namespace velunta::server
