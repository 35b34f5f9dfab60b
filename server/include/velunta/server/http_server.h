#pragma once
// The HTTP side of the server: Boost.Beast reading requests and writing the handler's answers
// on a fixed number of threads, with keep-alive, a deadline for reading a whole request, a
// deadline for writing an answer, limits on the request head and on connections, and a graceful
// stop that answers every complete request already received.
//
//   velunta::server::Handler handler({});
//   velunta::server::Server server(handler, {.port = 0});  // any free port
//   std::thread runner([&] { server.Run(); });
//   ... requests to 127.0.0.1:server.Port() ...
//   server.Stop();  // finishes the answers in flight
//   runner.join();

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>

#include <velunta/server/handler.h>

namespace velunta::server {

struct ServerOptions {
  std::string host = "127.0.0.1";  // loopback by default; "0.0.0.0" to serve a network
  unsigned short port = 8080;      // 0: any free port (see Server::Port)
  int threads = 2;                 // the workers that read, answer and write
  // From the moment a connection waits for a request until its whole head (and any body) is
  // read: a client sending a byte a second is cut off, and an idle keep-alive connection closed.
  std::chrono::milliseconds readDeadline{10'000};
  std::chrono::milliseconds writeDeadline{10'000};
  std::size_t headLimit = 8 * 1024;  // request line and headers: beyond, 431
  std::size_t bodyLimit = 8 * 1024;  // a body (GET needs none): beyond, 413
  // Chunk extensions of a request together; a chunk line or trailer must also fit in headLimit:
  // beyond either, 431.
  std::size_t chunkExtensionLimit = 8 * 1024;
  // Connections open at once; one more is answered 503 and closed. Each holds a file
  // descriptor: keep it below the process's limit (ulimit -n; the systemd unit raises it).
  int maxConnections = 512;
  // How long a stop waits for answers in flight before it closes what is left.
  std::chrono::milliseconds stopGrace{800};
  // Where each request's access-log line goes (time, method, target, status, bytes,
  // microseconds), from a thread of the server's own, in order; standard error when empty. A
  // sink given here must not block. Lines beyond 4096 waiting are dropped and counted.
  std::function<void(std::string_view line)> log;
  // Called on SIGHUP while Run watches signals (stopOnSignals), on the accepting loop's thread:
  // the place to read the data again and UseHandler. None: SIGHUP is ignored.
  std::function<void()> onHangup = nullptr;
};

class Server {
 public:
  // Binds and listens. Throws std::system_error when the address cannot be had (a port in use).
  Server(const Handler& handler, ServerOptions options);
  ~Server();
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Returns the port it listens on (the one chosen for port 0).
  unsigned short Port() const noexcept;

  // Serves until Stop() or, with stopOnSignals, SIGTERM or SIGINT; then stops accepting, lets
  // the answers in flight finish within stopGrace, and returns.
  void Run(bool stopOnSignals = false);

  // Asks Run to stop; safe from any thread, and before Run.
  void Stop();

  // Switches every later request to the handler `make` returns, atomically: it runs while no
  // request is being answered, so `make` may put new law data in use (UseLaw) that the new
  // handler was made for, and no request sees the new data with the old handler. A null handler
  // keeps the one in use. Safe from any thread.
  void UseHandler(const std::function<std::shared_ptr<const Handler>()>& make);

  // Writes a line (ending in '\n') to the log, in order with the access-log lines; never waits
  // for the log's reader. Lines still queued when the server is destroyed get 300 ms.
  void Log(std::string_view line);

  // What the connections share; defined with them.
  struct State;

 private:
  std::shared_ptr<State> state_;
};

}  // namespace velunta::server
