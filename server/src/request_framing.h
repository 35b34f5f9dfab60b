#pragma once
// How a request is read off a connection: Beast's parser under the server's limits, the buffer
// it reads into, and the answer to a request that broke them. The sessions and the framing fuzz
// target use the same pieces, so what is fuzzed is what serves.
//
// Beast limits a request's head but not what a chunked body carries besides its data: chunk
// extensions and the trailer. Both are bounded here, by the read buffer (a chunk line or the
// trailer must fit in it whole) and by a count of every extension byte of the request.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include <boost/beast/core/error.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>

#include <velunta/server/exchange.h>

namespace velunta::server {

using RequestParser = boost::beast::http::request_parser<boost::beast::http::string_body>;

struct FramingLimits {
  std::size_t head = 8 * 1024;  // request line and headers; also the most bytes held unparsed
  std::size_t body = 8 * 1024;  // a body's data (GET needs none)
  // Every chunk extension of one request together; the trailer is bounded by `head`.
  std::size_t chunkExtensions = 8 * 1024;
};

// One connection's reading state. Not movable: the parser keeps a reference to the chunk
// callback held here.
class RequestFraming {
 public:
  explicit RequestFraming(FramingLimits limits);
  RequestFraming(const RequestFraming&) = delete;
  RequestFraming& operator=(const RequestFraming&) = delete;

  // Returns a new parser for the next request, with the limits set; the previous one is gone.
  RequestParser& Next();
  RequestParser& Parser() { return *parser_; }
  bool HasParser() const noexcept { return parser_.has_value(); }
  // What was read and not yet parsed: never more than limits.head bytes, so Beast answers a
  // longer chunk line or trailer with http::error::buffer_overflow instead of buffering it.
  boost::beast::flat_buffer& Buffer() { return buffer_; }

  // Returns the answer to a read that failed through the request's fault (400, 413, 431), or
  // nothing when there is no one to answer (the client closed, a deadline passed, a stop).
  std::optional<Response> Refusal(boost::beast::error_code ec) const;

  // Returns the answer to a request head that must not be read further, after which the
  // connection closes: a Transfer-Encoding other than exactly "chunked" (501: read as no body,
  // the rest would be taken for the next request), one beside a Content-Length (400), an
  // HTTP/1.1 request without Host or any request with two (400), an Expect other than
  // 100-continue (417). Nothing when the head may be read on.
  static std::optional<Response> HeadRefusal(const RequestParser::value_type& head);

  // Returns true when the head asks for "100 Continue" before its body is sent.
  static bool ExpectsContinue(const RequestParser::value_type& head);

 private:
  FramingLimits limits_;
  boost::beast::flat_buffer buffer_;
  std::optional<RequestParser> parser_;
  std::size_t extensionBytes_ = 0;
  std::function<void(std::uint64_t, boost::beast::string_view, boost::beast::error_code&)> onChunk_;
};

// Returns the request as the handler takes it: the method and target as sent, header names in
// lower case, trailer fields among the headers.
Request ToRequest(const RequestParser::value_type& message);

}  // namespace velunta::server
