#include "parameters.h"

namespace velunta::server {
namespace {

using namespace std::chrono;
using request::DateStyle;

std::string Names(std::span<const Param> params) {
  std::string names;
  for (const auto& param : params) {
    if (param.inPath) continue;
    if (!names.empty()) names += ", ";
    names += param.name;
  }
  return names.empty() ? "none" : names;
}

}  // namespace

void Refuse(const request::Refusal& refusal, std::string_view name) {
  throw BadRequest(request::Worded(refusal, name));
}

Parameters::Parameters(std::vector<std::pair<std::string, std::string>> query, const Route& route)
    : query_(std::move(query)), route_(route) {
  for (std::size_t i = 0; i < query_.size(); ++i) {
    const auto& name = query_[i].first;
    const Param* param = FindParam(route_, name);
    if (param == nullptr && route_.ignoresUnknown) continue;
    if (param == nullptr || param->inPath) {
      throw BadRequest("unknown parameter: " + Quoted(name) +
                       "; accepted: " + Names(route_.params));
    }
    for (std::size_t k = 0; k < i; ++k) {
      if (query_[k].first == name) {
        throw BadRequest("parameter given twice: " + Quoted(name) + "; accepted: once");
      }
    }
  }
  for (const auto& param : route_.params) {
    if (param.inPath) continue;
    if (param.required && !Has(param.name)) {
      throw BadRequest("missing parameter: " + std::string(param.name));
    }
    if (Has(param.name)) Check(param);
  }
}

void Parameters::Check(const Param& param) const {
  const auto& source = param.kind == ParamKind::date || param.kind == ParamKind::year ||
                               param.kind == ParamKind::rangeEnd
                           ? Source()
                           : records::LawSource();
  switch (param.kind) {
    case ParamKind::date:
      Date(param.name, source);
      break;
    case ParamKind::year:
      Year(param.name, source);
      break;
    case ParamKind::rangeEnd:
      RangeEnd(param.name, source, request::RangeEnd::first);
      break;
    case ParamKind::count:
      Count(param.name);
      break;
    case ParamKind::flag:
      Flag(param.name);
      break;
    case ParamKind::choice:
      Checked(request::ChooseWord(*Find(param.name), param.words), param.name);
      break;
    case ParamKind::dateList:
      Dates(param.name, records::LawSource());
      break;
    case ParamKind::calendar:
      break;
  }
}

const std::string* Parameters::Find(std::string_view name) const noexcept {
  for (const auto& [key, value] : query_) {
    if (key != name) continue;
    const Param* param = FindParam(route_, name);
    if (value.empty() && param != nullptr && param->blankIsAbsent) return nullptr;
    return &value;
  }
  return nullptr;
}

const std::string& Parameters::Required(std::string_view name) const {
  const auto* value = Find(name);
  if (!value) throw BadRequest("missing parameter: " + std::string(name));
  return *value;
}

const records::DaySource& Parameters::Source() const {
  if (FindParam(route_, "rules") == nullptr) return records::LawSource();
  return *Checked(
      request::SourceFor(Choice("rules", request::kRules), Choice("labels", request::kLabels), ""));
}

year_month_day Parameters::Date(std::string_view name, const records::DaySource& source) const {
  return Checked(request::Date(Required(name), source, DateStyle::iso), name);
}

year Parameters::Year(std::string_view name, const records::DaySource& source) const {
  return Checked(request::Year(Required(name), source), name);
}

year_month_day Parameters::RangeEnd(std::string_view name, const records::DaySource& source,
                                    request::RangeEnd end) const {
  return Checked(request::RangeEndDate(Required(name), source, end, DateStyle::iso), name);
}

int Parameters::Count(std::string_view name) const {
  const Param* param = FindParam(route_, name);
  const int lowest = param ? param->lowest : 0;
  const int highest = param ? param->highest : 0;
  return Checked(request::Count(Required(name), lowest, highest), name);
}

std::vector<year_month_day> Parameters::Dates(std::string_view name,
                                              const records::DaySource& source) const {
  return Checked(request::DateList(Required(name), source, DateStyle::iso), name);
}

year_month_day ReadDate(std::string_view what, std::string_view text,
                        const records::DaySource& source) {
  return Checked(request::Date(text, source, DateStyle::iso), what);
}

}  // namespace velunta::server
