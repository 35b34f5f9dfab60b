#pragma once
// Bad input: what the command says on stderr, in one line, before ending with status 2.

#include <stdexcept>

namespace velunta::cli {

// The message names the bad value and what is accepted, e.g.
// "not a date: '2026/02/30'; accepted: a real date such as 2026/05/06 or 令和8年5月6日".
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace velunta::cli
