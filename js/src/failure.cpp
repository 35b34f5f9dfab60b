#include "failure.h"

#include <emscripten/bind.h>

namespace velunta::js {
namespace {

// The module runs on one thread: the message is read right after the call that left it.
std::string& Kept() {
  static std::string message;
  return message;
}

}  // namespace

void KeepRefusal(std::string message) {
  Kept() = std::move(message);
}

std::string LastRefusal() {
  return Kept();
}

EMSCRIPTEN_BINDINGS(velunta_failure) {
  emscripten::function("lastRefusal", &LastRefusal);
}

}  // namespace velunta::js
