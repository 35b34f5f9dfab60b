#pragma once
// The one error the records library throws: a request its sources or writers cannot answer (a
// date outside the rules' years, a value a format cannot carry). Callers that check their input
// first never see it.

#include <velunta/records_export.h>
#include <stdexcept>

namespace velunta::records {

class VELUNTA_RECORDS_EXPORT RecordsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace velunta::records
