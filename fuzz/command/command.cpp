// The command in process, its entry point called with an arbitrary argument vector (the input
// split at NUL bytes; a last part after two NULs is standard input). Whatever the arguments:
// a refusal is exactly one line on stderr in the command's voice, status 2 and nothing on
// stdout; an answer leaves stderr empty; no other status, and no exception escapes.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "../common/fuzz_check.h"
#include "run.h"

namespace {

using velunta::fuzz::Escaped;
using velunta::fuzz::Require;

// Few arguments reach every command; more only slow the search down.
constexpr std::size_t kMostArguments = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kStdinMark("\0\0", 2);
  const auto stdinMark = bytes.find(kStdinMark);
  const std::string argText(bytes.substr(0, stdinMark));
  const std::string input(stdinMark == std::string_view::npos ? std::string_view()
                                                              : bytes.substr(stdinMark + 2));
  std::vector<std::string> args;
  std::istringstream split(argText);
  for (std::string arg; args.size() < kMostArguments && std::getline(split, arg, '\0');) {
    args.push_back(arg);
  }

  // A `serve` that reads its options well listens until it is stopped: its refusals are tested
  // by table, its requests by the server's own target.
  if (std::find(args.begin(), args.end(), "serve") != args.end()) return 0;

  using namespace std::chrono;
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = velunta::cli::Run(args, {2026y / May / 6, in, out, err, nullptr});

  std::string line;
  for (const auto& arg : args) {
    line += '[';
    line += Escaped(arg);
    line += ']';
  }
  const std::string message = err.str();
  Require(status == 0 || status == 1 || status == 2, "the status is 0, 1 or 2", line);
  if (status == 2) {
    Require(out.str().empty(), "a refusal writes nothing on stdout", line);
    Require(message.starts_with("velunta: "), "a refusal speaks in the command's voice", line);
    Require(!message.empty() && message.back() == '\n' &&
                std::count(message.begin(), message.end(), '\n') == 1,
            "a refusal is exactly one line", line + " -> " + Escaped(message));
    Require(std::none_of(message.begin(), message.end() - 1,
                         [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
            "a refusal carries no control character", line + " -> " + Escaped(message));
  } else {
    Require(message.empty(), "an answer leaves stderr empty", line + " -> " + Escaped(message));
  }
  return 0;
}
