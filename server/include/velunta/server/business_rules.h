#pragma once
// What a business request asks of a calendar, behind one interface: today the free functions of
// <velunta/business_days.h> with the options a request gives; later a calendar file loaded at
// start can answer the same four questions.

#include <chrono>
#include <memory>
#include <vector>

#include <velunta/business_days.h>

namespace velunta::server {

class BusinessRules {
 public:
  virtual ~BusinessRules() = default;
  virtual Result<bool> IsOpen(std::chrono::year_month_day date) const = 0;
  virtual Result<std::chrono::year_month_day> Add(std::chrono::year_month_day from,
                                                  int n) const = 0;
  // Business days d with from <= d < to, as CountBusinessDays counts them.
  virtual Result<int> Count(std::chrono::year_month_day from,
                            std::chrono::year_month_day to) const = 0;
  virtual Result<std::chrono::year_month_day> RollTo(std::chrono::year_month_day date,
                                                     Roll roll) const = 0;
};

// Returns the rules of the law calendar with Saturdays open or closed, the banks' closing days
// or not, and the caller's own closing dates (kept by the rules).
std::unique_ptr<BusinessRules> OptionRules(bool saturdayWorkday, bool bankClosingDays,
                                           std::vector<std::chrono::year_month_day> closed);

}  // namespace velunta::server
