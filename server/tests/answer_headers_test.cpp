// What lets browsers, proxies and CDNs keep the answers: HTTP dates read in their three forms,
// Accept-Encoding and gzip, entity tags, Cache-Control by what an answer rests on, the feed's and
// the page's Last-Modified, and the CORS preflight. The handler is called directly.

#include <zlib.h>

#include <chrono>
#include <string>

#include <gtest/gtest.h>
#include <velunta/server/handler.h>

#include "content_coding.h"
#include "http_date.h"
#include "law_dated_for.h"

namespace velunta::server {
namespace {

using namespace std::chrono;

const sys_seconds kNow = sys_days{2026y / May / 6} + hours{3};

TEST(HttpDates, TheThreeFormsAreReadStrictly) {
  const sys_seconds nov6 = sys_days{1994y / November / 6} + hours{8} + minutes{49} + seconds{37};
  const struct {
    const char* text;
    std::optional<sys_seconds> read;
  } kCases[] = {
      {"Sun, 06 Nov 1994 08:49:37 GMT", nov6},
      {"Sunday, 06-Nov-94 08:49:37 GMT", nov6},
      {"Sun Nov  6 08:49:37 1994", nov6},
      // A two-digit year is at most 50 years ahead: 76 is 2076 in 2026, 77 is 1977.
      {"Sunday, 06-Nov-76 08:49:37 GMT", std::nullopt},  // 2076-11-06 is a Friday
      {"Friday, 06-Nov-76 08:49:37 GMT",
       sys_days{2076y / November / 6} + hours{8} + minutes{49} + seconds{37}},
      {"Sunday, 06-Nov-77 08:49:37 GMT",
       sys_days{1977y / November / 6} + hours{8} + minutes{49} + seconds{37}},
      {"Sun, 06 Nov 1994 08:49:37 UTC", std::nullopt},
      {"Sun, 6 Nov 1994 08:49:37 GMT", std::nullopt},
      {"Mon, 06 Nov 1994 08:49:37 GMT", std::nullopt},  // not that date's weekday
      {"Sun, 06 nov 1994 08:49:37 GMT", std::nullopt},
      {"Sun, 06 Nov 1994 24:00:00 GMT", std::nullopt},
      {"Thu, 30 Feb 2026 00:00:00 GMT", std::nullopt},
      {"Sun, 06 Nov 1994 08:49:37 GMT ", std::nullopt},
      {"Sun Nov 06 08:49:37 1994", nov6},  // asctime's day may be two digits too
      {"Sun Nov  6 08:49:37 1994 GMT", std::nullopt},
      {"1994-11-06T08:49:37Z", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(ParseHttpDate(row.text, kNow), row.read);
  }
  EXPECT_EQ(HttpDate(nov6), "Sun, 06 Nov 1994 08:49:37 GMT");
}

TEST(Gzip, AcceptEncodingWeights) {
  const struct {
    const char* header;
    bool gzip;
  } kCases[] = {
      {"gzip", true},         {"gzip, deflate, br", true},
      {"GZIP;q=0.5", true},   {"x-gzip", true},
      {"gzip;q=0", false},    {"gzip; q=0.000", false},
      {"gzip;q=0.001", true}, {"*", true},
      {"*;q=0", false},       {"gzip;q=0, *", false},
      {"*, gzip;q=0", false}, {"identity", false},
      {"br", false},          {"", false},
      {"gzipx", false},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.header);
    EXPECT_EQ(AcceptsGzip(row.header), row.gzip);
  }
}

// Returns gzip data inflated, or "" when it is not one whole gzip member.
std::string Gunzipped(const std::string& data) {
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 16) != Z_OK) return "";
  std::string out(64 * 1024 * 1024, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  inflateEnd(&stream);
  return result == Z_STREAM_END ? out : "";
}

Handler At(sys_seconds now) {
  return Handler({.now = [now] { return now; }});
}

TEST(AnswerHeaders, GzipForClientsThatAcceptItWithItsOwnTag) {
  const Handler handler = At(kNow);
  const auto plain = handler.Handle({"GET", "/v1/holidays?year=2026", {}});
  ASSERT_EQ(plain.status, 200);
  ASSERT_GT(plain.body.size(), 1024U);
  EXPECT_EQ(plain.Header("Content-Encoding"), nullptr);
  EXPECT_EQ(*plain.Header("Vary"), "Accept-Encoding");
  const auto gzipped =
      handler.Handle({"GET", "/v1/holidays?year=2026", {{"accept-encoding", "gzip, br"}}});
  ASSERT_EQ(gzipped.status, 200);
  EXPECT_EQ(*gzipped.Header("Content-Encoding"), "gzip");
  EXPECT_EQ(*gzipped.Header("Vary"), "Accept-Encoding");
  EXPECT_LT(gzipped.body.size(), plain.body.size() / 2);
  EXPECT_EQ(Gunzipped(gzipped.body), plain.body);
  EXPECT_NE(*gzipped.Header("ETag"), *plain.Header("ETag"));
  // Each tag names its own encoding.
  const struct {
    const char* name;
    std::string accept;
    std::string tag;
    int status;
  } kCases[] = {
      {"gzip, its tag", "gzip", *gzipped.Header("ETag"), 304},
      {"gzip, the plain tag", "gzip", *plain.Header("ETag"), 200},
      {"plain, its tag", "identity", *plain.Header("ETag"), 304},
      {"refused gzip, the gzip tag", "gzip;q=0", *gzipped.Header("ETag"), 200},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const auto answer =
        handler.Handle({"GET",
                        "/v1/holidays?year=2026",
                        {{"accept-encoding", row.accept}, {"if-none-match", row.tag}}});
    EXPECT_EQ(answer.status, row.status);
    EXPECT_EQ(answer.body.empty(), row.status == 304);
  }
  // Small answers are not worth it.
  const auto small = handler.Handle({"GET", "/healthz", {{"accept-encoding", "gzip"}}});
  EXPECT_EQ(small.Header("Content-Encoding"), nullptr);
}

TEST(AnswerHeaders, CacheControlFollowsWhatTheAnswerRestsOn) {
  const Handler handler = At(kNow);  // 12:00 in Japan: 12 hours to midnight there
  const struct {
    const char* target;
    const char* cacheControl;
  } kCases[] = {
      {"/v1/days/2026-05-06", "public, max-age=604800"},
      {"/v1/holidays?year=2027", "public, max-age=604800"},                // announced
      {"/v1/holidays?year=2028", "public, max-age=3600"},                  // predicted equinoxes
      {"/v1/holidays?from=2028-01&to=2028-02", "public, max-age=604800"},  // none of them
      {"/v1/days/2030-03-20", "public, max-age=3600"},
      {"/v1/equinox?year=2027", "public, max-age=604800"},
      {"/v1/equinox?year=2028", "public, max-age=3600"},
      {"/v1/business/next?date=2026-12-30", "public, max-age=604800"},
      {"/v1/business/next?date=2027-12-31", "public, max-age=3600"},  // into 2028
      {"/v1/next", "public, max-age=3600"},                           // about today
      {"/calendar.ics", "public, max-age=3600"},
      {"/healthz", "no-store"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.target);
    const auto answer = handler.Handle({"GET", row.target, {}});
    ASSERT_EQ(answer.status, 200) << answer.body;
    EXPECT_EQ(*answer.Header("Cache-Control"), row.cacheControl);
    EXPECT_NE(answer.Header("ETag"), nullptr);
    EXPECT_EQ(*answer.Header("X-Content-Type-Options"), "nosniff");
    EXPECT_EQ(*answer.Header("Access-Control-Expose-Headers"), "ETag, Last-Modified");
  }
  // Fifteen minutes before midnight in Japan, an answer about today lasts fifteen minutes.
  const auto late = At(sys_days{2026y / May / 6} + hours{14} + minutes{45});
  EXPECT_EQ(*late.Handle({"GET", "/v1/next", {}}).Header("Cache-Control"), "public, max-age=900");
}

TEST(AnswerHeaders, FeedAndPageAreModifiedAtTheYearOrTheDataWhicheverIsLater) {
  const struct {
    const char* name;
    const char* version;  // of the law data in use
    sys_seconds now;
    const char* lastModified;
  } kCases[] = {
      // The data's version (2026-02-02 in Japan) is later than New Year 2026.
      {"in 2026", "2026-02-02", kNow, "Sun, 01 Feb 2026 15:00:00 GMT"},
      {"in 2027", "2026-02-02", sys_days{2027y / May / 6}, "Thu, 31 Dec 2026 15:00:00 GMT"},
      // Newer data moves it, mid-year.
      {"newer data in 2026", "2026-12-08", kNow, "Mon, 07 Dec 2026 15:00:00 GMT"},
  };
  for (const auto& row : kCases) {
    SCOPED_TRACE(row.name);
    const LawDatedFor data(row.version);
    const Handler handler = At(row.now);
    for (const char* target : {"/calendar.ics", "/?year=2026"}) {
      SCOPED_TRACE(target);
      const auto answer = handler.Handle({"GET", target, {}});
      ASSERT_EQ(answer.status, 200);
      EXPECT_EQ(*answer.Header("Last-Modified"), row.lastModified);
    }
  }
  // The same answer made from data of another version is another entity.
  std::string tags[2];
  for (int i = 0; i < 2; ++i) {
    const LawDatedFor data(i == 0 ? "2026-02-02" : "2026-02-03");
    tags[i] = *At(kNow).Handle({"GET", "/v1/days/2026-05-06", {}}).Header("ETag");
  }
  EXPECT_NE(tags[0], tags[1]);
  // A client that sends only If-Modified-Since, in any of the three forms.
  const LawDatedFor data("2026-02-02");
  const Handler handler = At(kNow);
  const struct {
    const char* since;
    int status;
  } kSince[] = {
      {"Sun, 01 Feb 2026 15:00:00 GMT", 304}, {"Sunday, 01-Feb-26 15:00:00 GMT", 304},
      {"Sun Feb  1 15:00:00 2026", 304},      {"Sun, 01 Feb 2026 14:59:59 GMT", 200},
      {"Thu, 01 Jan 2026 00:00:00 GMT", 200},  // after New Year, before the data changed
      {"Sun, 01 Feb 2026 15:00:00 UTC", 200},  // not a form HTTP has: ignored
  };
  for (const auto& row : kSince) {
    SCOPED_TRACE(row.since);
    EXPECT_EQ(handler.Handle({"GET", "/calendar.ics", {{"if-modified-since", row.since}}}).status,
              row.status);
  }
}

TEST(AnswerHeaders, PreflightAllowsConditionalGets) {
  const Handler handler = At(kNow);
  const auto preflight = handler.Handle({"OPTIONS",
                                         "/v1/days/2026-05-06",
                                         {{"origin", "http://127.0.0.1:9"},
                                          {"access-control-request-method", "GET"},
                                          {"access-control-request-headers", "if-none-match"}}});
  EXPECT_EQ(preflight.status, 204);
  EXPECT_TRUE(preflight.body.empty());
  EXPECT_EQ(*preflight.Header("Access-Control-Allow-Methods"), "GET, HEAD");
  EXPECT_EQ(*preflight.Header("Access-Control-Allow-Headers"), "If-None-Match, If-Modified-Since");
  EXPECT_EQ(*preflight.Header("Access-Control-Max-Age"), "7200");
  EXPECT_EQ(*preflight.Header("Access-Control-Allow-Origin"), "*");
  EXPECT_EQ(handler.Handle({"OPTIONS", "/nowhere", {}}).status, 404);
}

TEST(AnswerHeaders, HostDoesNotReachThePage) {
  // Two handlers, so that neither answer comes from the other's cache.
  const auto plain = At(kNow).Handle({"GET", "/?year=2026", {}});
  const auto hosted =
      At(kNow).Handle({"GET", "/?year=2026", {{"host", "evil.example\"><script>x</script>"}}});
  EXPECT_EQ(hosted.body, plain.body);
  EXPECT_EQ(hosted.body.find("evil.example"), std::string::npos);
}

}  // namespace
}  // namespace velunta::server
