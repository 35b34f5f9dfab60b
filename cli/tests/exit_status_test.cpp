// Each failure has its own status: an answer that cannot be written (74, quietly when the reader
// has gone), serve on an address it cannot have (69), bad input (2); each says so in at most one
// line on stderr and never as well as another.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "run.h"
#include "run_binary.h"

namespace velunta::cli::testing {
namespace {

using namespace std::chrono_literals;

const std::string kCannotWrite = "velunta: cannot write the answer to standard output\n";

TEST(ExitStatus, AnswerThatCannotBeWritten) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    Output output;
    int status;
    std::string err;
  } kCases[] = {
      {"to a full disk", {"list", "2026"}, Output::kFull, kStatusWriteFailed, kCannotWrite},
      {"long, failing midway",
       {"list", "1600", "2399"},
       Output::kFull,
       kStatusWriteFailed,
       kCannotWrite},
      {"help", {"--help"}, Output::kFull, kStatusWriteFailed, kCannotWrite},
      {"check's own status gives way",
       {"check", "2026/05/07"},
       Output::kFull,
       kStatusWriteFailed,
       kCannotWrite},
      {"a refusal writes nothing that could fail",
       {"list", "2400"},
       Output::kFull,
       kStatusBadInput,
       "velunta: year out of range: '2400'; accepted: 1600 to 2399 (see velunta list --help)\n"},
      {"reader gone before a long answer",
       {"list", "1600", "2399"},
       Output::kClosedPipe,
       kStatusWriteFailed,
       ""},
      {"reader gone before a one-line answer",
       {"check", "2026/05/06"},
       Output::kClosedPipe,
       kStatusWriteFailed,
       ""},
      {"reader gone before the version",
       {"--version"},
       Output::kClosedPipe,
       kStatusWriteFailed,
       ""},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto result = RunVeluntaWith(row.args, {.output = row.output, .limit = 30s});
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.err, row.err);
  }
}

// Returns a socket listening on a free loopback port, and that port.
std::pair<int, int> BusyPort() {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, 1) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    ADD_FAILURE() << "cannot listen on a loopback port";
  }
  return {fd, ntohs(address.sin_port)};
}

TEST(ExitStatus, ServeThatCannotListen) {
  if (!VELUNTA_HAS_SERVE) GTEST_SKIP() << "built without the server";
  const auto [fd, port] = BusyPort();
  const std::string taken = std::to_string(port);
  const struct {
    const char* name;
    std::vector<std::string> args;
    int status;
    std::string err;
  } kCases[] = {
      {"port in use",
       {"serve", "--port", taken},
       kStatusUnavailable,
       "velunta: cannot listen on '127.0.0.1:" + taken + "': bind: Address already in use\n"},
      {"host that is no address",
       {"serve", "--host", "localhost:80", "--port", "0"},
       kStatusBadInput,
       "velunta: --host: not a numeric address: 'localhost:80'; accepted: an IPv4 or IPv6 "
       "address such as 127.0.0.1, ::1 or 0.0.0.0 (names such as localhost are not resolved) "
       "(see velunta serve --help)\n"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    // Within the limit: a serve that listened after all would be killed, failing the status.
    const auto result = RunVeluntaWith(row.args, {.limit = 10s});
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, row.err);
  }
  close(fd);
}

}  // namespace
}  // namespace velunta::cli::testing
