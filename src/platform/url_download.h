#pragma once

#include <functional>
#include <string>

namespace maltrove::platform {

// Downloads a URL to a file; progress(done, total) is called as bytes arrive
// (total 0 when unknown). Returns false on any failure, leaving no file.
class UrlDownloader {
 public:
  using Progress = std::function<void(long long done, long long total)>;
  virtual ~UrlDownloader() = default;
  virtual bool Download(const std::string& url, const std::string& path,
                        const Progress& progress) = 0;
};

}  // namespace maltrove::platform
