#include <velunta/server/handler.h>

#include <exception>

#include <velunta/records/records_error.h>
#include <velunta/server/target.h>
#include <nlohmann/json.hpp>

#include "answer_cache.h"
#include "answers.h"
#include "business_calendars.h"
#include "parameters.h"
#include "routes.h"

namespace velunta::server {

Response Healthz(const Context& context) {
  context.Params();  // none are taken: any is refused
  Response response;
  response.Set("Content-Type", "application/json; charset=utf-8");
  response.body = "{\"status\": \"ok\"}\n";
  return response;
}

Response ErrorResponse(int status, std::string_view message) {
  Response response;
  response.status = status;
  response.Set("Content-Type", "application/json; charset=utf-8");
  // Messages quote what was sent; a byte that is not UTF-8 must not break the JSON.
  response.body = nlohmann::json{{"error", message}}.dump(
                      -1, ' ', false, nlohmann::json::error_handler_t::replace) +
                  "\n";
  return response;
}

Handler::Handler(HandlerOptions options)
    : options_(std::move(options)),
      calendars_(std::make_shared<const BusinessCalendars>(options_.calendars)),
      cache_(std::make_shared<AnswerCache>()) {}

Response Handler::Handle(const Request& request) const noexcept {
  Response response;
  try {
    std::string error;
    const auto target = ParseTarget(request.target, error);
    std::string_view tail;
    const Route* route = target ? FindRoute(target->path, tail) : nullptr;
    if (!target) {
      response = ErrorResponse(400, error);
    } else if (!route) {
      response = ErrorResponse(
          404, "unknown path: " + Quoted(target->path) + "; accepted: the paths of /openapi.json");
    } else if (request.method != "GET" && request.method != "HEAD") {
      response = ErrorResponse(
          405, "method not allowed: " + Quoted(request.method) + "; accepted: GET, HEAD");
      response.Set("Allow", "GET, HEAD");
    } else if (auto kept = route->targetAlone ? cache_->Find(request.target) : std::nullopt) {
      response = std::move(*kept);
    } else {
      const Context context{request,        *route,           target->path,  tail,
                            options_.now(), options_.version, target->query, *calendars_};
      try {
        response = route->answer(context);
        if (route->targetAlone) cache_->Keep(request.target, response);
      } catch (const NotFound& missing) {
        response = ErrorResponse(404, missing.what());
      } catch (const BadRequest& bad) {
        response = ErrorResponse(400, bad.what());
      } catch (const records::RecordsError& bad) {
        response = ErrorResponse(400, bad.what());
      }
    }
  } catch (const std::exception& failure) {
    // Nothing above is meant to get here (memory aside); answer rather than drop the connection.
    response = ErrorResponse(500, std::string("internal error: ") + failure.what());
  } catch (...) {
    response = ErrorResponse(500, "internal error");
  }
  // The data is public: any page may fetch it.
  response.Set("Access-Control-Allow-Origin", "*");
  return response;
}

}  // namespace velunta::server
