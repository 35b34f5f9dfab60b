// velunta serve [--host 127.0.0.1] [--port 8080] [--threads N]

#include <memory>
#include <system_error>
#include <thread>

#include <velunta/server/handler.h>
#include <velunta/server/http_server.h>
#include <velunta/version.h>

#include "arguments.h"
#include "command.h"
#include "usage_error.h"

namespace velunta::cli {
namespace {

struct ServeArgs {
  std::string host = "127.0.0.1";
  int port = 8080;
  int threads = 0;  // 0: one per core
  std::vector<std::string> calendars;
  std::vector<std::string> words;  // serve takes none
};

int RunServe(const ServeArgs& args, const Environment& env) {
  if (!args.words.empty()) {
    throw UsageError("unexpected argument: " + Quoted(args.words.front()) +
                     " (see velunta serve --help)");
  }
  if (!args.calendars.empty()) {
    throw UsageError("calendar files not available yet: " + Quoted(args.calendars.front()) +
                     "; accepted: serve without --calendar (business requests take "
                     "saturday_workday, bank_closing_days and closed)");
  }
  server::ServerOptions options;
  options.host = args.host;
  options.port = static_cast<unsigned short>(args.port);
  options.threads = args.threads > 0
                        ? args.threads
                        : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
  const server::Handler handler({.version = VELUNTA_VERSION_STRING});
  std::unique_ptr<server::Server> server;
  try {
    server = std::make_unique<server::Server>(handler, options);
  } catch (const std::system_error& failure) {
    throw UsageError("cannot listen on " + Quoted(args.host + ":" + std::to_string(args.port)) +
                     ": " + failure.what() + "; accepted: a free port on a local address");
  }
  env.err << "velunta serve: listening on http://" << args.host << ":" << server->Port()
          << "/ with " << options.threads << " threads" << std::endl;
  server->Run(true);
  env.err << "velunta serve: stopped" << std::endl;
  return kStatusOk;
}

void AddServe(CLI::App& parent, Commands& commands) {
  auto* serve = parent.add_subcommand(
      "serve",
      "Answer over HTTP: a JSON API under /v1, the feed /calendar.ics and a year's page at /. "
      "SIGTERM or SIGINT finishes the answers in flight and exits 0");
  auto args = std::make_shared<ServeArgs>();
  serve
      ->add_option("--host", args->host,
                   "the address to listen on (default 127.0.0.1; "
                   "0.0.0.0 serves a network)")
      ->type_name("ADDRESS");
  serve->add_option("--port", args->port, "the port (default 8080; 0 picks a free one)")
      ->check(CLI::Range(0, 65535))
      ->type_name("PORT");
  serve->add_option("--threads", args->threads, "worker threads (default: one per core)")
      ->check(CLI::Range(1, 256))
      ->type_name("N");
  serve->add_option("--calendar", args->calendars, "NAME=FILE: not available yet")
      ->type_name("NAME=FILE");
  serve->footer("Example: velunta serve --port 8080, then open http://127.0.0.1:8080/");
  commands.OnRun(serve, &args->words,
                 [args](const Environment& env) { return RunServe(*args, env); });
}

const bool kRegistered = RegisterCommand({"", 60, AddServe});

}  // namespace
}  // namespace velunta::cli
