#pragma once
// Results written as the server's JSON writes them, by the same record writers, for the
// JavaScript layer to parse: one door for every key and value.

#include <span>
#include <string>

#include <velunta/business_calendar.h>
#include <velunta/records/day_record.h>
#include <velunta/records/equinox_record.h>

namespace velunta::js {

// Returns the JSON array of the days, as the server's /v1/holidays writes it.
std::string DaysJson(std::span<const records::DayRecord> days);

// Returns the JSON array of the closed days, as the server's closed-days answer writes it.
std::string ClosedDaysJson(std::span<const ClosedDay> days);

// Returns the JSON array of a year's two equinoxes, as the server's /v1/equinox writes it.
std::string EquinoxesJson(const records::YearEquinoxRecords& equinoxes);

}  // namespace velunta::js
