#pragma once
// The HTTP message of an answer, as the connection writes it: apart from the session so that
// tests and fuzzers see what goes on the wire (HEAD's missing body, a 304's missing length)
// without a socket.

#include <chrono>

#include <boost/beast/http/message.hpp>
#include <boost/beast/http/span_body.hpp>
#include <boost/beast/http/string_body.hpp>

#include <velunta/server/exchange.h>
#include <velunta/server/handler.h>

#include "http_date.h"

namespace velunta::server {

using WireMessage = boost::beast::http::response<boost::beast::http::string_body>;
// A message whose body is a shared answer's, sent without a copy: whoever sends it keeps the
// SharedAnswer alive until it is sent.
using SharedWireMessage = boost::beast::http::response<boost::beast::http::span_body<const char>>;

// Sets the status and headers every answer carries: the answer's own, Date, nosniff, a
// Content-Length of `length` (none for 1xx, 204 and 304, which have no body) and the connection.
template <class Message>
void SetWireHead(Message& message, const Response& answer, std::size_t length, bool keepAlive) {
  message.result(static_cast<unsigned>(answer.status));
  message.version(11);
  for (const auto& [name, value] : answer.headers) message.set(name, value);
  message.set(boost::beast::http::field::date,
              HttpDate(std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now())));
  message.set("X-Content-Type-Options", "nosniff");
  if (answer.status >= 200 && answer.status != 204 && answer.status != 304) {
    message.content_length(length);
  }
  message.keep_alive(keepAlive);
}

// Returns the message of an answer: its status and headers, a Content-Length of the answer's
// body, and the body itself unless the request was HEAD.
// Example: a HEAD answered 200 with 120 bytes -> "Content-Length: 120" and an empty body.
inline WireMessage ToWire(Response answer, bool head, bool keepAlive) {
  WireMessage message;
  SetWireHead(message, answer, answer.body.size(), keepAlive);
  if (!head) message.body() = std::move(answer.body);
  return message;
}

// The same for a shared answer; the message refers to `answer.body`.
inline SharedWireMessage ToWire(const SharedAnswer& answer, bool head, bool keepAlive) {
  SharedWireMessage message;
  SetWireHead(message, answer.head, answer.body->size(), keepAlive);
  if (!head) message.body() = {answer.body->data(), answer.body->size()};
  return message;
}

}  // namespace velunta::server
