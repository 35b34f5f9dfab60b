#include "business_calendars.h"

#include <stdexcept>

#include <velunta/server/handler.h>

#include "parameters.h"

namespace velunta::server {
namespace {

LoadedCalendar Built(std::string name, BusinessCalendarOptions options) {
  auto calendar = BusinessCalendar::Make(options);
  if (!calendar.has_value()) {
    throw std::invalid_argument("calendar " + Quoted(name) +
                                " cannot be made: " + std::string(Describe(calendar.error())));
  }
  return {std::move(name), std::move(options), std::move(calendar).value()};
}

}  // namespace

bool IsCalendarName(std::string_view name) noexcept {
  constexpr std::size_t kLongest = 64;
  const auto isAlnum = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  };
  if (name.empty() || name.size() > kLongest || !isAlnum(name.front())) return false;
  for (const char c : name) {
    if (!isAlnum(c) && c != '-' && c != '_' && c != '.') return false;
  }
  return true;
}

BusinessCalendars::BusinessCalendars(
    const std::vector<std::pair<std::string, BusinessCalendarOptions>>& named) {
  calendars_.reserve(named.size() + 1);
  calendars_.push_back(Built({}, {}));
  for (const auto& [name, options] : named) {
    if (!IsCalendarName(name)) {
      throw std::invalid_argument("not a calendar name: " + Quoted(name) +
                                  "; accepted: " + std::string(kCalendarNameRule));
    }
    if (Find(name) != nullptr) {
      throw std::invalid_argument("calendar name given twice: " + Quoted(name));
    }
    calendars_.push_back(Built(name, options));
  }
}

const LoadedCalendar* BusinessCalendars::Find(std::string_view name) const noexcept {
  for (auto it = calendars_.begin() + 1; it != calendars_.end(); ++it) {
    if (it->name == name) return &*it;
  }
  return nullptr;
}

std::vector<std::string_view> BusinessCalendars::NameList() const {
  std::vector<std::string_view> names;
  for (auto it = calendars_.begin() + 1; it != calendars_.end(); ++it) names.push_back(it->name);
  return names;
}

std::string BusinessCalendars::Names() const {
  std::string names;
  for (const auto name : NameList()) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names;
}

}  // namespace velunta::server
