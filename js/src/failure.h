#pragma once
// How the binding tells JavaScript why a call was refused: the call returns a sentinel (0 for a
// date, an empty text for JSON, kRefused for a number) and leaves the library's one-line message
// here, for the JavaScript layer to throw as a RangeError.

#include <climits>
#include <string>
#include <utility>

#include <velunta/request/refusal.h>

namespace velunta::js {

// The number a call returns when it was refused; no count or truth value comes near it.
inline constexpr int kRefused = INT_MIN;

// Keeps a message for LastRefusal(); returns the sentinel `value` so that a caller can write
// `return Refuse(refusal, 0);`.
template <class T>
T Refuse(std::string message, T value);

template <class T>
T Refuse(const request::Refusal& refusal, T value) {
  return Refuse(request::Worded(refusal), std::move(value));
}

// Returns the message of the last refusal.
std::string LastRefusal();

// Remembers a message; used by Refuse.
void KeepRefusal(std::string message);

template <class T>
T Refuse(std::string message, T value) {
  KeepRefusal(std::move(message));
  return value;
}

}  // namespace velunta::js
