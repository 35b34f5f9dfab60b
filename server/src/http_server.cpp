#include <velunta/server/http_server.h>

#include <csignal>

#include <array>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <vector>

#include <boost/asio/dispatch.hpp>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include "access_log.h"
#include "request_framing.h"
#include "wire_response.h"

namespace velunta::server {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kAcceptRetry{50};
constexpr std::chrono::minutes kAcceptFailureLogInterval{1};
// Connections beyond --max-connections being told 503 at once; more are closed unanswered.
constexpr int kMostRefusing = 64;
constexpr std::string_view kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
// How long a connection closed after an answer still reads what the client sends: long enough
// for a client still sending a large refused request on a busy machine to stop and read its
// answer, which a reset would destroy. A client that has read its answer closes sooner.
constexpr std::chrono::milliseconds kLinger{2000};

// Returns the target as the log writes it: bytes outside printable ASCII as %XX, cut at 256.
std::string LoggedTarget(std::string_view target) {
  constexpr std::size_t kMostLogged = 256;
  std::string logged;
  for (const char c : target.substr(0, kMostLogged)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned>(byte));
      logged += escaped;
    } else {
      logged += c;
    }
  }
  if (target.size() > kMostLogged) logged += "...";
  return logged;
}

std::string UtcNow() {
  const auto now = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
  const auto day = std::chrono::floor<std::chrono::days>(now);
  const std::chrono::year_month_day date{day};
  const std::chrono::hh_mm_ss time{now - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()),
                static_cast<int>(time.subseconds().count()));
  return text;
}

class Session;

}  // namespace

struct Server::State : std::enable_shared_from_this<Server::State> {
  State(const Handler& theHandler, ServerOptions theOptions)
      : handler(&theHandler, [](const Handler*) {}),  // the caller's, not ours to free
        options(std::move(theOptions)),
        workers(static_cast<std::size_t>(std::max(1, options.threads))),
        context(workers.front().context),
        acceptor(context),
        log(options.log) {}

  // The handler of the data in use; answering holds `generation` shared, UseHandler exclusive.
  std::shared_ptr<const Handler> handler;
  std::shared_mutex generation;
  ServerOptions options;
  // One event loop a thread, each with the connections it was handed: a connection's work never
  // crosses threads, so no loop needs a lock. The first also accepts, stops and watches signals.
  struct Worker {
    asio::io_context context{1};
    std::optional<asio::executor_work_guard<asio::io_context::executor_type>> keep{
        context.get_executor()};
  };
  std::vector<Worker> workers;
  asio::io_context& context;
  std::size_t nextWorker = 0;  // the accepting loop's only
  tcp::acceptor acceptor;
  std::atomic<bool> stopping = false;
  std::atomic<int> open = 0;      // sessions that count against maxConnections
  std::atomic<int> refusing = 0;  // sessions answering 503
  std::optional<Clock::time_point> acceptFailureLogged;  // the accepting loop's only
  std::mutex mutex;                                      // guards sessions
  std::unordered_map<Session*, std::weak_ptr<Session>> sessions;
  AccessLog log;

  void Log(std::string line) { log.Write(std::move(line)); }

  // Runs one event loop until it is stopped. What escapes a handler is logged and the loop goes
  // on: the connection it came from is dropped with the handler, the others keep being served.
  void RunLoop(asio::io_context& loop) {
    for (;;) {
      try {
        loop.run();
        return;
      } catch (const std::exception& escaped) {
        Log("velunta serve: a connection failed and was closed: " + std::string(escaped.what()) +
            "\n");
      } catch (...) {
        Log("velunta serve: a connection failed and was closed\n");
      }
    }
  }

  void Accept(const std::shared_ptr<State>& self);
  // Starts a session for an accepted connection: served, or over the limit answered 503.
  void Open(tcp::socket socket);
  void BeginStop(const std::shared_ptr<State>& self);
  // Stops the context once no session is left or the grace is over, looking every 5 ms.
  void PollStop(const std::shared_ptr<State>& self,
                const std::shared_ptr<asio::steady_timer>& timer, Clock::time_point deadline);
  void Drain();
  // Returns the sessions still open, held so that they stay alive while they are closed.
  std::vector<std::shared_ptr<Session>> LiveSessions();
};

namespace {

class Session : public std::enable_shared_from_this<Session> {
 public:
  // A session over the limit only answers 503 and closes.
  Session(tcp::socket socket, std::shared_ptr<Server::State> state, bool overLimit)
      : stream_(std::move(socket)),
        state_(std::move(state)),
        framing_({.head = state_->options.headLimit,
                  .body = state_->options.bodyLimit,
                  .chunkExtensions = state_->options.chunkExtensionLimit}),
        overLimit_(overLimit) {
    ++(overLimit_ ? state_->refusing : state_->open);
  }

  ~Session() {
    --(overLimit_ ? state_->refusing : state_->open);
    const std::lock_guard lock(state_->mutex);
    state_->sessions.erase(this);
  }

  void Start() {
    {
      const std::lock_guard lock(state_->mutex);
      state_->sessions.emplace(this, weak_from_this());
    }
    asio::dispatch(stream_.get_executor(), [self = shared_from_this()] {
      if (!self->overLimit_) return self->Read();
      self->Answer(
          "-", "-",
          WholeAnswer(ErrorResponse(503, "too many connections; accepted: at most " +
                                             std::to_string(self->state_->options.maxConnections) +
                                             " at once, try again later")),
          false, false);
    });
  }

  // Called on a stop: a connection waiting for a request is closed now; one answering finishes.
  // Called once the threads are gone.
  void CloseNow() {
    beast::error_code ignored;
    stream_.socket().close(ignored);
  }

  // A connection waiting for a request is closed, unless a request has reached it: that one is
  // still answered (and the connection closed after it).
  // The read waiting is cancelled rather than the socket closed: bytes it has just taken off the
  // socket (and not yet handed over) then still complete it as a request.
  void CloseIfIdle() {
    asio::post(stream_.get_executor(), [self = shared_from_this()] {
      if (self->busy_ || self->RequestWaiting()) return;
      beast::error_code ignored;
      self->stream_.socket().cancel(ignored);
    });
  }

 private:
  // Returns true when bytes of a request have arrived and not been answered: new bytes in the
  // socket, a whole head in the buffer, or one read and not yet answered.
  bool RequestWaiting() {
    beast::error_code ec;
    if (stream_.socket().available(ec) > 0 && !ec) return true;
    if (framing_.HasParser() && framing_.Parser().is_header_done()) return true;
    const auto buffered = framing_.Buffer().data();
    const std::string_view bytes(static_cast<const char*>(buffered.data()), buffered.size());
    return bytes.find("\r\n\r\n") != std::string_view::npos;
  }

  // Reads a request's head first: what it says decides whether its body is read at all.
  void Read() {
    if (state_->stopping && !RequestWaiting()) return Close();
    auto& parser = framing_.Next();
    stream_.expires_after(state_->options.readDeadline);
    http::async_read_header(
        stream_, framing_.Buffer(), parser,
        [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnHead(ec); });
  }

  void OnHead(beast::error_code ec) {
    if (ec == asio::error::operation_aborted && state_->stopping) {
      // Cancelled by the stop: read on only if a request has come meanwhile.
      if (!RequestWaiting()) return Close();
      return http::async_read_header(
          stream_, framing_.Buffer(), framing_.Parser(),
          [self = shared_from_this()](beast::error_code again, std::size_t) {
            self->OnHead(again);
          });
    }
    if (ec) return OnRead(ec);
    const auto& head = framing_.Parser().get();
    if (auto refusal = RequestFraming::HeadRefusal(head)) {
      const auto method = head.method_string();
      const auto target = head.target();
      return Answer({method.data(), method.size()}, {target.data(), target.size()},
                    WholeAnswer(std::move(*refusal)), false, false);
    }
    if (framing_.Parser().is_done()) return OnRead({});
    if (!RequestFraming::ExpectsContinue(head)) return ReadBody();
    asio::async_write(stream_, asio::buffer(kContinue.data(), kContinue.size()),
                      [self = shared_from_this()](beast::error_code written, std::size_t) {
                        if (written) return self->Close();
                        self->ReadBody();
                      });
  }

  void ReadBody() {
    http::async_read(
        stream_, framing_.Buffer(), framing_.Parser(),
        [self = shared_from_this()](beast::error_code ec, std::size_t) { self->OnRead(ec); });
  }

  void OnRead(beast::error_code ec) {
    if (ec) {
      // A refused request is answered and the connection closed; a closed connection, a
      // deadline passed or a stop has no one to answer.
      if (auto refusal = framing_.Refusal(ec)) {
        return Answer("-", "-", WholeAnswer(std::move(*refusal)), false, false);
      }
      return Close();
    }
    busy_ = true;
    started_ = Clock::now();
    const auto& message = framing_.Parser().get();
    const Request request = ToRequest(message);
    const bool head = message.method() == http::verb::head;
    SharedAnswer answer = [&] {
      const std::shared_lock current(state_->generation);
      return state_->handler->Answer(request);  // never throws
    }();
    if (answer.head.status == 500) {
      state_->Log("velunta serve: answering " + LoggedTarget(request.target) +
                  " failed: " + std::string(answer.body->substr(0, 200)) + "\n");
    }
    Answer(request.method, request.target, std::move(answer), message.keep_alive(), head);
  }

  void Answer(std::string_view method, std::string_view target, SharedAnswer answer, bool keepAlive,
              bool head) {
    if (!busy_) {
      busy_ = true;
      started_ = Clock::now();
    }
    const std::size_t length = answer.body->size();
    const int status = answer.head.status;
    keepAlive = keepAlive && !state_->stopping;
    response_.emplace(ToWire(answer, head, keepAlive));
    answer_ = std::move(answer);
    logLine_ = UtcNow() + " " + std::string(method) + " " + LoggedTarget(target) + " " +
               std::to_string(status) + " " + std::to_string(head ? 0 : length);
    stream_.expires_after(state_->options.writeDeadline);
    http::async_write(stream_, *response_,
                      [self = shared_from_this(), keepAlive](beast::error_code ec, std::size_t) {
                        self->OnWrite(ec, keepAlive);
                      });
  }

  void OnWrite(beast::error_code ec, bool keepAlive) {
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started_).count();
    state_->Log(logLine_ + " " + std::to_string(micros) + "us" +
                (ec ? " unfinished: " + ec.message() : std::string()) + "\n");
    busy_ = false;
    response_.reset();
    answer_.reset();
    if (ec) return Close();
    if (!keepAlive) return Linger();
    Read();
  }

  // Closes after an answer the way a browser expects: stop sending, then read and drop what the
  // client still sends (the rest of a body refused with 413) for a moment. Closing at once
  // with unread bytes would reset the connection and could destroy the answer before it is read.
  void Linger() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.expires_after(kLinger);
    Discard();
  }

  void Discard() {
    stream_.async_read_some(asio::buffer(discarded_),
                            [self = shared_from_this()](beast::error_code ec, std::size_t) {
                              if (ec) return self->stream_.close();
                              self->Discard();
                            });
  }

  void Close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.close();
  }

  beast::tcp_stream stream_;
  std::shared_ptr<Server::State> state_;
  RequestFraming framing_;
  std::optional<SharedWireMessage> response_;
  std::optional<SharedAnswer> answer_;  // what response_ refers to, held until it is sent
  std::string logLine_;
  Clock::time_point started_;
  bool busy_ = false;
  bool overLimit_ = false;
  std::array<char, 4096> discarded_;
};

}  // namespace

void Server::State::Accept(const std::shared_ptr<State>& self) {
  auto& worker = workers[nextWorker++ % workers.size()];
  acceptor.async_accept(worker.context, [self](beast::error_code ec, tcp::socket socket) {
    if (ec == asio::error::operation_aborted) return;
    if (!ec) {
      // Accepted just as a stop began: its request, if it came, is still answered.
      self->Open(std::move(socket));
      if (!self->stopping) self->Accept(self);
      return;
    }
    if (self->stopping) return;
    // An accept that failed (out of file descriptors) is tried again a little later, rather
    // than at once in a loop that would take a core: the connections open are still served,
    // and the line is logged once a minute at most, not every 50 ms (connections closing and
    // others taking their place make the failures come and go).
    auto& logged = self->acceptFailureLogged;
    if (!logged || Clock::now() - *logged >= kAcceptFailureLogInterval) {
      logged = Clock::now();
      self->Log("velunta serve: cannot accept connections: " + ec.message() +
                "; serving those open and trying again every " +
                std::to_string(kAcceptRetry.count()) + " ms\n");
    }
    auto pause = std::make_shared<asio::steady_timer>(self->context, kAcceptRetry);
    pause->async_wait([self, pause](beast::error_code) {
      if (!self->stopping) self->Accept(self);
    });
  });
}

void Server::State::Open(tcp::socket socket) {
  const bool overLimit = open >= options.maxConnections;
  if (overLimit && refusing >= kMostRefusing) return;  // closed unanswered: the flood is too big
  std::make_shared<Session>(std::move(socket), shared_from_this(), overLimit)->Start();
}

std::vector<std::shared_ptr<Session>> Server::State::LiveSessions() {
  std::vector<std::shared_ptr<Session>> live;
  const std::lock_guard lock(mutex);
  for (const auto& [key, weak] : sessions) {
    if (auto session = weak.lock()) live.push_back(std::move(session));
  }
  return live;
}

void Server::State::BeginStop(const std::shared_ptr<State>& self) {
  if (stopping.exchange(true)) return;
  // Connections the kernel has accepted may already carry a request: take them too, so that
  // their requests are answered (or their connections closed at once if nothing came yet).
  beast::error_code ignored;
  acceptor.cancel(ignored);
  acceptor.non_blocking(true, ignored);
  for (;;) {
    auto& worker = workers[nextWorker++ % workers.size()];
    tcp::socket socket(worker.context);
    beast::error_code ec;
    acceptor.accept(socket, ec);
    if (ec) break;
    Open(std::move(socket));
  }
  acceptor.close(ignored);
  std::vector<std::shared_ptr<Session>> live = LiveSessions();
  for (const auto& session : live) session->CloseIfIdle();
  PollStop(self, std::make_shared<asio::steady_timer>(context), Clock::now() + options.stopGrace);
}

void Server::State::PollStop(const std::shared_ptr<State>& self,
                             const std::shared_ptr<asio::steady_timer>& timer,
                             Clock::time_point deadline) {
  bool empty = false;
  {
    const std::lock_guard lock(mutex);
    empty = sessions.empty();
  }
  if (empty || Clock::now() >= deadline) {
    for (auto& worker : workers) worker.context.stop();
    return;
  }
  timer->expires_after(std::chrono::milliseconds(5));
  timer->async_wait(
      [self, timer, deadline](beast::error_code) { self->PollStop(self, timer, deadline); });
}

void Server::State::Drain() {
  // Pending operations hold their sessions and the sessions this state: close every socket and
  // run the aborted handlers once, so that nothing is left holding anything.
  beast::error_code ignored;
  acceptor.close(ignored);
  std::vector<std::shared_ptr<Session>> live = LiveSessions();
  for (const auto& session : live) session->CloseNow();
  live.clear();
  for (auto& worker : workers) {
    worker.keep.reset();
    worker.context.restart();
    worker.context.poll();
  }
}

Server::Server(const Handler& handler, ServerOptions options)
    : state_(std::make_shared<State>(handler, std::move(options))) {
  // Boost's errors become the standard library's, so that callers need no Boost.
  beast::error_code ec;
  const auto fail = [&](const char* what) {
    if (ec) throw std::system_error(ec.value(), std::system_category(), what);
  };
  const auto address = asio::ip::make_address(state_->options.host, ec);
  fail("not an IP address");
  const tcp::endpoint endpoint(address, state_->options.port);
  auto& acceptor = state_->acceptor;
  acceptor.open(endpoint.protocol(), ec);
  fail("socket");
  acceptor.set_option(asio::socket_base::reuse_address(true), ec);
  fail("SO_REUSEADDR");
  acceptor.bind(endpoint, ec);
  fail("bind");
  acceptor.listen(asio::socket_base::max_listen_connections, ec);
  fail("listen");
}

Server::~Server() {
  state_->Drain();
  state_->log.Close(AccessLog::kCloseWait);
}

void Server::Log(std::string_view line) {
  state_->Log(std::string(line));
}

namespace {

// Calls the reload hook on each SIGHUP until the server stops.
void WatchHangups(asio::signal_set& hangups, const std::shared_ptr<Server::State>& state) {
  hangups.async_wait([&hangups, state](beast::error_code ec, int) {
    if (ec || state->stopping) return;
    try {
      state->options.onHangup();
    } catch (const std::exception& error) {
      state->Log(std::string("velunta serve: reload failed: ") + error.what() + "\n");
    }
    WatchHangups(hangups, state);
  });
}

}  // namespace

unsigned short Server::Port() const noexcept {
  beast::error_code ec;
  return state_->acceptor.local_endpoint(ec).port();
}

void Server::Run(bool stopOnSignals) {
  // A reader of the log that goes away must not end the process: its writes fail with EPIPE
  // instead (sockets already send with MSG_NOSIGNAL).
  std::signal(SIGPIPE, SIG_IGN);
  auto state = state_;
  std::optional<asio::signal_set> signals;
  std::optional<asio::signal_set> hangups;
  if (stopOnSignals) {
    signals.emplace(state->context, SIGTERM, SIGINT);
    signals->async_wait([state](beast::error_code ec, int) {
      if (!ec) state->BeginStop(state);
    });
    if (state->options.onHangup) {
      hangups.emplace(state->context, SIGHUP);
      WatchHangups(*hangups, state);
    }
  }
  if (!state->stopping) state->Accept(state);
  std::vector<std::thread> workers;
  for (std::size_t i = 1; i < state->workers.size(); ++i) {
    workers.emplace_back([state, i] { state->RunLoop(state->workers[i].context); });
  }
  state->RunLoop(state->context);
  for (auto& worker : workers) worker.join();
  if (signals) signals->cancel();
  if (hangups) hangups->cancel();
  state->Drain();
}

void Server::UseHandler(const std::function<std::shared_ptr<const Handler>()>& make) {
  const std::unique_lock exclusive(state_->generation);
  if (auto made = make()) state_->handler = std::move(made);
}

void Server::Stop() {
  auto state = state_;
  asio::post(state->context, [state] { state->BeginStop(state); });
}

}  // namespace velunta::server
