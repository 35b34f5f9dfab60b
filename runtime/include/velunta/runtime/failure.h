#pragma once
// The one error type of the date and text services. The module and the window catch it at
// every entry point; it never crosses their public interfaces.

#include <stdexcept>

#include <velunta/runtime_export.h>

namespace velunta::runtime {

class VELUNTA_RUNTIME_EXPORT Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace velunta::runtime
