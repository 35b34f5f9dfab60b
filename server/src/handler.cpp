#include <velunta/server/handler.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

#include <velunta/records/records_error.h>
#include <velunta/request/queries.h>
#include <velunta/server/target.h>
#include <nlohmann/json.hpp>

#include "answer_cache.h"
#include "answers.h"
#include "business_calendars.h"
#include "content_coding.h"
#include "http_date.h"
#include "parameters.h"
#include "routes.h"
#include "validators.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

// How long caches keep an answer: a settled one (announced years) a week; a prediction, which
// the next announcement may change, an hour; one about today until midnight in Japan at most.
constexpr long kSettledSeconds = 7 * 24 * 3600;
constexpr long kShortSeconds = 3600;
// How long a browser keeps a preflight's answer (Chromium keeps it at most two hours).
constexpr std::string_view kPreflightSeconds = "7200";
// The request headers a page's script may send: the validators of a conditional fetch.
constexpr std::string_view kAllowedRequestHeaders = "If-None-Match, If-Modified-Since";
// The answer headers a page's script may read besides the CORS-safelisted ones.
constexpr std::string_view kExposedHeaders = "ETag, Last-Modified";
constexpr std::string_view kGzipKey = "\ngzip";

std::string MaxAge(long seconds) {
  std::string value("public, max-age=");
  value.append(std::to_string(seconds));
  return value;
}

Response Preflight() {
  Response response;
  response.status = 204;
  response.Set("Access-Control-Allow-Methods", "GET, HEAD");
  response.Set("Access-Control-Allow-Headers", std::string(kAllowedRequestHeaders));
  response.Set("Access-Control-Max-Age", std::string(kPreflightSeconds));
  return response;
}

// The request as an answer sees it: without Host, which a client chooses freely and which must
// not reach a page that caches share.
Request WithoutHost(const Request& request) {
  Request seen{request.method, request.target, {}};
  for (const auto& header : request.headers) {
    if (header.first != "host") seen.headers.push_back(header);
  }
  return seen;
}

// Returns the key of an answer in the cache: the target, and today's date in Japan for an answer
// that depends on today (the feed, the page, next without a date).
std::string CacheKey(bool alone, std::string_view target, sys_seconds now) {
  std::string key(target);
  if (!alone) {
    key += '\n';
    key += std::to_string(sys_days{request::TodayInJapan(now)}.time_since_epoch().count());
  }
  return key;
}

// Adds what lets a cache keep a 200: its tag, how long it is fresh, and for the feed and the page
// when it last changed.
void Describe(Response& response, const Route& route, bool alone, bool predicted, sys_seconds now) {
  response.Set("ETag", EntityTag(response.body));
  response.Set("Vary", "Accept-Encoding");
  if (route.answers == Answers::health) {
    response.Set("Cache-Control", "no-store");
  } else if (!alone) {
    response.Set("Cache-Control", MaxAge(std::min(kShortSeconds, SecondsToMidnightInJapan(now))));
  } else {
    response.Set(
        "Cache-Control",
        MaxAge(predicted || route.answers == Answers::document ? kShortSeconds : kSettledSeconds));
  }
  if (route.answers == Answers::feed || route.answers == Answers::page) {
    // Their content turns over when the year in Japan does, and when a build brings new data.
    const sys_seconds yearStart =
        sys_days{request::TodayInJapan(now).year() / January / 1} - kJstOffset;
    response.Set("Last-Modified", HttpDate(std::max(yearStart, DataDate())));
  }
}

SharedAnswer GzipOf(const SharedAnswer& identity) {
  SharedAnswer gzipped;
  gzipped.head = identity.head;
  for (auto& [name, value] : gzipped.head.headers) {
    if (name == "ETag") value = GzipTag(value);
  }
  gzipped.head.Set("Content-Encoding", "gzip");
  gzipped.body = std::make_shared<const std::string>(Gzipped(*identity.body));
  return gzipped;
}

// Returns 304 for a request whose validators name the answer (If-None-Match first, then
// If-Modified-Since where the answer has a Last-Modified), the answer itself otherwise.
SharedAnswer Conditional(const Request& request, SharedAnswer answer, sys_seconds now) {
  if (answer.head.status != 200) return answer;
  const auto* tag = answer.head.Header("ETag");
  const auto* modified = answer.head.Header("Last-Modified");
  bool notModified = false;
  if (const auto* noneMatch = request.Header("if-none-match")) {
    notModified = tag != nullptr && TagMatches(*noneMatch, *tag);
  } else if (const auto* since = request.Header("if-modified-since"); since && modified) {
    const auto sinceInstant = ParseHttpDate(*since, now);
    const auto modifiedInstant = ParseHttpDate(*modified, now);
    notModified = sinceInstant && modifiedInstant && *sinceInstant >= *modifiedInstant;
  }
  if (!notModified) return answer;
  SharedAnswer unchanged;
  unchanged.head.status = 304;
  for (const auto& [name, value] : answer.head.headers) {
    if (name == "ETag" || name == "Cache-Control" || name == "Last-Modified" || name == "Vary") {
      unchanged.head.Set(name, value);
    }
  }
  unchanged.body = std::make_shared<const std::string>();
  return unchanged;
}

}  // namespace

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
      cache_(std::make_shared<AnswerCache>()) {
  if (!options_.publicUrl.empty() && !IsPublicUrl(options_.publicUrl)) {
    throw std::invalid_argument("not a public URL: " + Quoted(options_.publicUrl) +
                                "; accepted: " + std::string(kPublicUrlRule));
  }
}

SharedAnswer Handler::Answer(const Request& request) const noexcept {
  SharedAnswer answer;
  try {
    answer = Answered(request);
  } catch (const std::exception& failure) {
    // Nothing above is meant to get here (memory aside); answer rather than drop the connection.
    answer = WholeAnswer(ErrorResponse(500, std::string("internal error: ") + failure.what()));
  } catch (...) {
    answer = WholeAnswer(ErrorResponse(500, "internal error"));
  }
  // The data is public: any page may fetch it and read its validators.
  answer.head.Set("Access-Control-Allow-Origin", "*");
  answer.head.Set("Access-Control-Expose-Headers", std::string(kExposedHeaders));
  answer.head.Set("X-Content-Type-Options", "nosniff");
  return answer;
}

Response Handler::Handle(const Request& request) const noexcept {
  SharedAnswer answer = Answer(request);
  answer.head.body = *answer.body;
  return std::move(answer.head);
}

SharedAnswer Handler::Answered(const Request& request) const {
  std::string error;
  const auto target = ParseTarget(request.target, error);
  if (!target) return WholeAnswer(ErrorResponse(400, error));
  std::string_view tail;
  const Route* route = FindRoute(target->path, tail);
  if (!route) {
    return WholeAnswer(ErrorResponse(
        404, "unknown path: " + Quoted(target->path) + "; accepted: the paths of /openapi.json"));
  }
  if (request.method == "OPTIONS") return WholeAnswer(Preflight());
  if (request.method != "GET" && request.method != "HEAD") {
    auto refused = ErrorResponse(
        405, "method not allowed: " + Quoted(request.method) + "; accepted: GET, HEAD");
    refused.Set("Allow", "GET, HEAD, OPTIONS");
    return WholeAnswer(std::move(refused));
  }
  const sys_seconds now = options_.now();
  const auto* acceptEncoding = request.Header("accept-encoding");
  const bool gzip = acceptEncoding != nullptr && AcceptsGzip(*acceptEncoding);
  const bool alone = TargetAlone(*route, target->query);
  const std::string key = CacheKey(alone, request.target, now);
  std::string gzipKey = key;
  gzipKey.append(kGzipKey);
  if (gzip) {
    if (auto kept = cache_->Find(gzipKey)) return Conditional(request, std::move(*kept), now);
  }
  auto identity = cache_->Find(key);
  if (!identity) {
    const Request seen = WithoutHost(request);
    std::string_view publicUrl = options_.publicUrl;
    if (publicUrl.ends_with('/')) publicUrl.remove_suffix(1);
    const Context context{seen,          *route,      target->path, tail, now, options_.version,
                          target->query, *calendars_, publicUrl};
    Response response;
    try {
      response = route->answer(context);
    } catch (const NotFound& missing) {
      return WholeAnswer(ErrorResponse(404, missing.what()));
    } catch (const BadRequest& bad) {
      return WholeAnswer(ErrorResponse(400, bad.what()));
    } catch (const records::RecordsError& bad) {
      return WholeAnswer(ErrorResponse(400, bad.what()));
    }
    if (response.status == 200) Describe(response, *route, alone, context.predicted, now);
    identity = WholeAnswer(std::move(response));
    cache_->Keep(key, *identity);
  }
  if (gzip && identity->head.status == 200 && identity->body->size() >= kSmallestGzipped) {
    auto gzipped = GzipOf(*identity);
    cache_->Keep(gzipKey, gzipped);
    return Conditional(request, std::move(gzipped), now);
  }
  return Conditional(request, std::move(*identity), now);
}

}  // namespace velunta::server
