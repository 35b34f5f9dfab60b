#pragma once
// The HTTP message of an answer, as the connection writes it: apart from the session so that
// tests and fuzzers see what goes on the wire (HEAD's missing body, a 304's missing length)
// without a socket.

#include <boost/beast/http/message.hpp>
#include <boost/beast/http/string_body.hpp>

#include <velunta/server/exchange.h>

namespace velunta::server {

using WireMessage = boost::beast::http::response<boost::beast::http::string_body>;

// Returns the message of an answer: its status and headers, a Content-Length of the answer's
// body (none for a 304, which has no body), and the body itself unless the request was HEAD.
// Example: a HEAD answered 200 with 120 bytes -> "Content-Length: 120" and an empty body.
inline WireMessage ToWire(Response answer, bool head, bool keepAlive) {
  WireMessage message;
  message.result(static_cast<unsigned>(answer.status));
  message.version(11);
  for (auto& [name, value] : answer.headers) message.set(name, value);
  if (answer.status != 304) message.content_length(answer.body.size());
  if (!head) message.body() = std::move(answer.body);
  message.keep_alive(keepAlive);
  return message;
}

}  // namespace velunta::server
