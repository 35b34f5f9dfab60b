#pragma once
// What a reader of a user's words refuses, and how: the problem, the text as typed, and what is
// accepted instead. The readers know nothing of who asked; each front end words a refusal in its
// own voice (the command on stderr, the server in a 400's JSON) with Worded.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace velunta::request {

struct Refusal {
  std::string problem;              // "not a date", "year out of range"
  std::optional<std::string> text;  // what was typed, quoted when worded; none for a request
  std::string note;                 // after the quoted text: " (2400/01/01)"; usually empty
  std::string accepted;             // "1600 to 2399"; empty when there is nothing to offer
};

// Returns a refusal as one line: "PROBLEM[ for NAME]: 'TEXT'NOTE; accepted: ACCEPTED", the text
// quoted on one line (runtime::Quoted). `name` is the option or parameter read, or empty.
// Example: ({"not a year", "20x6", "", "a whole year from 1600 to 2399"}, "year") ->
// "not a year for year: '20x6'; accepted: a whole year from 1600 to 2399".
std::string Worded(const Refusal& refusal, std::string_view name = {});

// A value read from a user's words, or why it was refused.
template <class T>
class [[nodiscard]] Reading {
 public:
  Reading(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Reading(Refusal refusal) : state_(std::in_place_index<1>, std::move(refusal)) {}

  bool has_value() const noexcept { return state_.index() == 0; }
  const T& operator*() const& { return std::get<0>(state_); }
  T operator*() && { return std::get<0>(std::move(state_)); }
  const T* operator->() const { return &std::get<0>(state_); }
  const Refusal& refusal() const { return std::get<1>(state_); }

  // Returns the value, or calls `refuse` (which must throw) with the refusal.
  template <class Refuse>
  T Or(Refuse&& refuse) && {
    if (!has_value()) refuse(refusal());
    return std::get<0>(std::move(state_));
  }

 private:
  std::variant<T, Refusal> state_;
};

}  // namespace velunta::request
