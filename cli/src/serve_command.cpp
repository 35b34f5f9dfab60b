// velunta serve [--host 127.0.0.1] [--port 8080] [--threads N] [--calendar NAME=FILE ...]

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>
#include <thread>

#include <boost/asio/ip/address.hpp>

#include <velunta/calendar_file.h>
#include <velunta/law.h>
#include <velunta/law_file.h>
#include <velunta/request/installed_data.h>
#include <velunta/server/handler.h>
#include <velunta/server/http_server.h>
#include <velunta/version.h>

#include "arguments.h"
#include "command.h"
#include "command_failure.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

struct ServeArgs {
  std::string host = "127.0.0.1";
  int port = 8080;
  int threads = 0;  // 0: one per core
  int maxConnections = server::ServerOptions{}.maxConnections;
  std::vector<std::string> calendars;  // NAME=FILE, the shape checked by CalendarArgument
  std::string publicUrl;               // checked by PublicUrlArgument; empty: none
  std::vector<std::string> words;      // serve takes none
};

// The shape of a --calendar argument, checked while parsing: NAME=FILE, NAME a calendar name,
// or the name of an installed calendar, served under that name.
CLI::Validator CalendarArgument() {
  return CLI::Validator(
      [](std::string& value) -> std::string {
        const auto equals = value.find('=');
        if (equals == std::string::npos) {
          const auto installed = request::InstalledCalendarNames();
          if (std::find(installed.begin(), installed.end(), value) != installed.end()) return {};
          std::string names;
          for (const auto& name : installed) names.append(names.empty() ? "" : ", ").append(name);
          return "no '=' in " + Quoted(value) + " and no installed calendar of that name; " +
                 "accepted: NAME=FILE, or one of: " + names;
        }
        const std::string_view name(value.data(), equals);
        if (!server::IsCalendarName(name)) {
          return "bad calendar name " + Quoted(name) + " in " + Quoted(value) +
                 "; accepted: NAME=FILE, NAME " + std::string(server::kCalendarNameRule);
        }
        if (equals + 1 == value.size()) {
          return "no file in " + Quoted(value) + "; accepted: NAME=FILE";
        }
        return {};
      },
      "");
}

// Checks a --host while parsing: a numeric address, since the one address listened on is the one
// the command prints. A name such as localhost may stand for several (127.0.0.1 and ::1), and
// binding one of them silently would leave clients of the other refused.
CLI::Validator HostArgument() {
  return CLI::Validator(
      [](std::string& value) -> std::string {
        boost::system::error_code error;
        boost::asio::ip::make_address(value, error);
        if (!error) return {};
        return "not a numeric address: " + Quoted(value) +
               "; accepted: an IPv4 or IPv6 address such as 127.0.0.1, ::1 or 0.0.0.0 (names "
               "such as localhost are not resolved)";
      },
      "");
}

// Returns "http://HOST:PORT/", an IPv6 address in brackets: http://[::1]:8080/.
std::string AddressUrl(const std::string& host, unsigned short port) {
  std::string url = "http://";
  if (host.find(':') != std::string::npos) {
    url.append("[").append(host).append("]");
  } else {
    url.append(host);
  }
  return url.append(":").append(std::to_string(port)).append("/");
}

// Checks a --public-url while parsing: the server cannot know the scheme and host clients use
// behind a proxy, so it takes them whole or not at all.
CLI::Validator PublicUrlArgument() {
  return CLI::Validator(
      [](std::string& value) -> std::string {
        if (server::IsPublicUrl(value)) return {};
        return "not a public URL: " + Quoted(value) +
               "; accepted: " + std::string(server::kPublicUrlRule);
      },
      "");
}

// Returns each --calendar's name and the options its file gives, read once at start.
// Throws UsageError naming the file and line of a bad file, or a name given twice.
std::vector<std::pair<std::string, BusinessCalendarOptions>> LoadCalendars(
    const std::vector<std::string>& arguments) {
  std::vector<std::pair<std::string, BusinessCalendarOptions>> calendars;
  for (const auto& argument : arguments) {
    const auto equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    const std::filesystem::path file = equals == std::string::npos
                                           ? request::CalendarFileFor(name)
                                           : std::filesystem::path(argument.substr(equals + 1));
    for (const auto& [loaded, options] : calendars) {
      if (loaded == name) {
        throw UsageError("calendar name given twice: " + Quoted(name) +
                         "; accepted: one --calendar NAME=FILE per name");
      }
    }
    auto options = ReadCalendarOptionsFile(file);
    if (!options.has_value()) throw UsageError(options.error().ToString());
    calendars.emplace_back(std::move(name), std::move(options).value());
  }
  return calendars;
}

// Reads the law file (empty: the built-in law) and the calendar files again, and switches the
// server to them for new requests; a file that is not entirely right changes nothing, and the
// log says so in one line.
void Reload(server::Server& server, const ServeArgs& args, const std::string& lawFile) {
  const auto refuse = [&server](const std::string& why) {
    server.Log("velunta serve: reload refused, answering with the data in use: " + why + "\n");
  };
  const Law* law = &BuiltInLaw();
  if (!lawFile.empty()) {
    auto read = ReadLawFile(lawFile);
    if (!read) {
      refuse(read.error().ToString());
      return;
    }
    law = *read;
  }
  std::vector<std::pair<std::string, BusinessCalendarOptions>> calendars;
  try {
    calendars = LoadCalendars(args.calendars);
  } catch (const UsageError& refused) {
    refuse(refused.what());
    return;
  }
  bool switched = false;
  server.UseHandler([&]() -> std::shared_ptr<const server::Handler> {
    // The calendars are made under the law they answer by.
    const Law& before = CurrentLaw();
    UseLaw(*law);
    try {
      auto handler = std::make_shared<const server::Handler>(
          server::HandlerOptions{.version = VELUNTA_VERSION_STRING,
                                 .calendars = std::move(calendars),
                                 .publicUrl = args.publicUrl});
      switched = true;
      return handler;
    } catch (const std::invalid_argument& refused) {
      UseLaw(before);
      refuse(refused.what());
      return nullptr;
    }
  });
  if (switched) {
    server.Log("velunta serve: reloaded: law " + std::string(law->Source()) + ", version " +
               std::string(law->Version()) + ", " + std::to_string(args.calendars.size()) +
               " calendars\n");
  }
}

int RunServe(const ServeArgs& args, const std::string& lawFile) {
  if (!args.words.empty()) {
    throw UsageError("unexpected argument: " + Quoted(args.words.front()) +
                     " (see velunta serve --help)");
  }
  auto calendars = LoadCalendars(args.calendars);
  server::ServerOptions options;
  options.host = args.host;
  options.port = static_cast<unsigned short>(args.port);
  options.maxConnections = args.maxConnections;
  server::Server* reloading = nullptr;  // set once the server exists, before it runs
  options.onHangup = [&reloading, &args, &lawFile] { Reload(*reloading, args, lawFile); };
  options.threads = args.threads > 0
                        ? args.threads
                        : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
  std::unique_ptr<const server::Handler> made;
  try {
    made = std::make_unique<const server::Handler>(
        server::HandlerOptions{.version = VELUNTA_VERSION_STRING,
                               .calendars = std::move(calendars),
                               .publicUrl = args.publicUrl});
  } catch (const std::invalid_argument& refused) {
    throw UsageError(refused.what());
  }
  const server::Handler& handler = *made;
  std::unique_ptr<server::Server> server;
  try {
    server = std::make_unique<server::Server>(handler, options);
  } catch (const std::system_error& failure) {
    // A --host that is no address is the command line's fault; a port in use, one not allowed
    // or an address not this machine's is the machine's, and a service manager should see so.
    if (failure.code() == std::errc::invalid_argument) {
      throw UsageError("not an IP address: " + Quoted(args.host) +
                       "; accepted: --host with an IPv4 or IPv6 address such as 127.0.0.1, "
                       "0.0.0.0 or ::1");
    }
    throw CommandFailure(kStatusUnavailable,
                         "cannot listen on " + Quoted(args.host + ":" + std::to_string(args.port)) +
                             ": " + failure.what());
  }
  reloading = server.get();
  // Through the server's log, in order with its lines: a reader of standard error that has
  // stalled must not keep a stopped server from exiting.
  server->Log("velunta serve: listening on " + AddressUrl(args.host, server->Port()) + " with " +
              std::to_string(options.threads) + " threads\n");
  server->Run(true);
  server->Log("velunta serve: stopped\n");
  return kStatusOk;
}

void AddServe(CLI::App& parent, Commands& commands) {
  auto* serve = parent.add_subcommand(
      "serve",
      "Answer over HTTP: a JSON API under /v1, the feed /calendar.ics and a year's page at /. "
      "SIGTERM or SIGINT finishes the answers in flight and exits 0; SIGHUP reads the law file "
      "(--law) and the calendar files again, keeping the data in use if one is bad");
  auto args = std::make_shared<ServeArgs>();
  serve
      ->add_option("--host", args->host,
                   "the address to listen on (default 127.0.0.1; "
                   "0.0.0.0 serves a network; ::1 IPv6 loopback): a numeric address")
      ->check(HostArgument())
      ->type_name("ADDRESS");
  serve->add_option("--port", args->port, "the port (default 8080; 0 picks a free one)")
      ->check(CLI::Range(0, 65535))
      ->type_name("PORT");
  serve
      ->add_option("--max-connections", args->maxConnections,
                   "connections open at once; one more is answered 503 (default " +
                       std::to_string(args->maxConnections) +
                       "; each takes a file descriptor, so keep it below ulimit -n)")
      ->check(CLI::Range(1, 1'000'000))
      ->type_name("N");
  serve->add_option("--threads", args->threads, "worker threads (default: one per core)")
      ->check(CLI::Range(1, 256))
      ->type_name("N");
  serve
      ->add_option("--calendar", args->calendars,
                   "a business calendar file (TOML) that business requests name with "
                   "calendar=NAME, or an installed calendar by its name (banks, government, "
                   "tse); repeatable, each file read at start and on SIGHUP")
      ->check(CalendarArgument())
      ->allow_extra_args(false)
      ->type_name("NAME=FILE|NAME");
  serve
      ->add_option("--public-url", args->publicUrl,
                   "the address clients reach the server at, such as https://days.example.jp/ "
                   "behind a proxy: the page links the feed with it (webcal:// and https://) "
                   "and /openapi.json names it; without it both give paths alone")
      ->check(PublicUrlArgument())
      ->type_name("URL");
  serve->footer(
      "Examples: velunta serve --port 8080, then open http://127.0.0.1:8080/; velunta serve "
      "--calendar tokyo=calendars/tokyo.toml, then GET "
      "/v1/business/next?date=2026-12-30&calendar=tokyo. Exit status: 0 once stopped, 2 bad "
      "input, 69 the address cannot be listened on (a port in use).");
  commands.TakesNoSharedOptions(serve);
  commands.OnRun(serve, &args->words, [args, &commands](const Environment&) {
    return RunServe(*args, commands.shared().law);
  });
}

const bool kRegistered = RegisterCommand({"", 60, AddServe});

}  // namespace
}  // namespace velunta::cli
