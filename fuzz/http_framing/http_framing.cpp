// The server's HTTP framing: bytes as they arrive on a connection, read by the same parser,
// buffer and limits as a session (Beast's own read loop, done here without a socket), request
// after request as keep-alive reads them. The first byte picks the limits (the server's or small
// ones, which the fuzzer reaches more often) and how many bytes each read takes. Whatever the
// bytes: nothing throws; the unparsed bytes never outgrow the head limit; a request's chunk
// extensions and trailer stay within theirs; and every refusal is a 400, 413 or 431 with a JSON
// body of one line, after which the connection reads nothing more.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <boost/asio/buffer.hpp>
#include <boost/beast/core/buffers_range.hpp>
#include <boost/beast/core/read_size.hpp>
#include <boost/beast/http/error.hpp>

#include "../../server/src/request_framing.h"
#include "../common/fuzz_check.h"

namespace {

namespace http = boost::beast::http;
using velunta::fuzz::Escaped;
using velunta::fuzz::Require;
using velunta::server::FramingLimits;
using velunta::server::RequestFraming;

constexpr FramingLimits kServer{};
constexpr FramingLimits kSmall{.head = 256, .body = 64, .chunkExtensions = 48};
constexpr int kMostRequests = 16;

// Reads what Beast's http::read would from a connection that delivers `wire` in reads of at
// most `step` bytes: the error that ends the request, or none once it is complete.
boost::beast::error_code ReadOne(RequestFraming& framing, std::string_view& wire,
                                 std::size_t step) {
  auto& parser = framing.Next();
  auto& buffer = framing.Buffer();
  boost::beast::error_code ec;
  while (!parser.is_done()) {
    if (buffer.size() != 0) {
      const auto used = parser.put(buffer.data(), ec);
      buffer.consume(used);
      if (ec != http::error::need_more) {
        if (ec) return ec;
        if (used != 0) continue;
      }
      ec = {};
    }
    if (wire.empty()) {
      // The client closed: what Beast reports at the end of the stream (it asks the parser only
      // once it has had some of a request).
      if (!parser.got_some()) return http::error::end_of_stream;
      parser.put_eof(ec);
      if (!ec && !parser.is_done()) ec = http::error::partial_message;
      return ec ? ec : boost::beast::error_code{http::error::end_of_stream};
    }
    const auto room = boost::beast::read_size(buffer, 65536);
    if (room == 0) return http::error::buffer_overflow;
    const auto n = std::min({room, step, wire.size()});
    const auto space = buffer.prepare(n);
    boost::asio::buffer_copy(space, boost::asio::buffer(wire.data(), n));
    buffer.commit(n);
    wire.remove_prefix(n);
    Require(buffer.size() <= buffer.max_size(), "the unparsed bytes stay within the head limit");
  }
  return ec;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t setting = data[0];
  const FramingLimits& limits = (setting & 0x80U) != 0 ? kSmall : kServer;
  const std::size_t step = 1 + (setting & 0x7FU) * 64;
  std::string_view wire(reinterpret_cast<const char*>(data + 1), size - 1);

  RequestFraming framing(limits);
  for (int request = 0; request < kMostRequests; ++request) {
    const auto ec = ReadOne(framing, wire, step);
    if (ec) {
      const auto refusal = framing.Refusal(ec);
      if (!refusal) return 0;  // the connection ended; nothing to answer
      Require(refusal->status == 400 || refusal->status == 413 || refusal->status == 431,
              "a refusal is 400, 413 or 431", std::to_string(refusal->status));
      Require(refusal->body.starts_with("{\"error\":") &&
                  refusal->body.find('\n') == refusal->body.size() - 1,
              "a refusal's body is one line of JSON", Escaped(refusal->body));
      return 0;  // the session closes after a refusal
    }
    const auto& message = framing.Parser().get();
    std::size_t fields = 0;
    for (const auto& field : message) fields += field.name_string().size() + field.value().size();
    // The head and the trailer were each parsed whole from a buffer of limits.head bytes.
    Require(fields <= 2 * limits.head, "the head and trailer stay within their limits",
            std::to_string(fields));
    Require(message.body().size() <= limits.body, "the body stays within its limit");
    const auto asked = velunta::server::ToRequest(message);
    Require(asked.headers.size() ==
                static_cast<std::size_t>(std::distance(message.begin(), message.end())),
            "every field reaches the handler");
    if (!message.keep_alive()) return 0;
  }
  return 0;
}
