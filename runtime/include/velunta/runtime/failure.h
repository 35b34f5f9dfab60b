#pragma once
// The one error type of the date and text services. The module and the window catch it at
// every entry point; it never crosses their public interfaces.

#include <stdexcept>

namespace velunta::runtime {

class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace velunta::runtime
