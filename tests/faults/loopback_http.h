// A loopback HTTP server for fault tests: every connection gets the answer
// the test chose, including broken ones, from a thread of its own.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace maltrove::testing {

class LoopbackServer {
 public:
  // `answer(request, fd)` writes whatever it likes to the connection; the
  // connection is closed when it returns.
  using Answer = std::function<void(const std::string& request, int fd)>;

  explicit LoopbackServer(Answer answer);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  std::string Url(const std::string& path) const;
  int connections() const { return connections_; }
  bool stopping() const { return stopping_; }

 private:
  void Serve();

  Answer answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
  std::vector<std::thread> handlers_;
};

// Writes all of `text` to the connection.
void SendText(int fd, const std::string& text);

}  // namespace maltrove::testing
