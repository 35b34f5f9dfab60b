#pragma once
// What the tests send over loopback: whole HTTP exchanges through Beast, and raw bytes for the
// requests no client library would send.

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace velunta::server::testing {

struct Reply {
  int status = 0;  // 0: no answer (the connection closed or timed out)
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::string Header(const std::string& name) const;  // "" when absent; name as sent
};

// Sends one request on a new connection and returns the answer; every wait is bounded by 5 s.
Reply Fetch(unsigned short port, const std::string& target, const std::string& method = "GET",
            const std::vector<std::pair<std::string, std::string>>& headers = {});

// A connection that sends what it is given and reads what comes back, each read bounded.
class RawConnection {
 public:
  explicit RawConnection(unsigned short port, int receiveBuffer = 0);
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  // Returns false once the peer has closed the connection.
  bool Send(const std::string& bytes);
  // Reads what arrives within `wait`; returns "" on a close or a timeout (see Closed()).
  std::string Receive(std::size_t most, std::chrono::milliseconds wait);
  // Reads until the peer closes or `wait` passes; returns everything read.
  std::string ReceiveAll(std::chrono::milliseconds wait);
  bool Closed() const noexcept { return closed_; }

 private:
  int fd_ = -1;
  bool closed_ = false;
};

// Returns the status of the first answer in raw bytes ("HTTP/1.1 431 ..." -> 431), or 0.
int StatusOf(const std::string& raw);

}  // namespace velunta::server::testing
