#pragma once

#include <chrono>

#include "platform/url_download.h"

namespace maltrove::platform {

// Downloads through libcurl; only http, https and file URLs are accepted, and
// a redirect may lead only to http or https. A server that does not connect
// within the stall limit, or sends no byte for that long, ends the download
// as a failure.
class CurlDownloader : public UrlDownloader {
 public:
  static constexpr std::chrono::seconds kDefaultStallLimit{30};

  explicit CurlDownloader(std::chrono::seconds stallLimit = kDefaultStallLimit)
      : stallLimit_(stallLimit) {}

  bool Download(const std::string& url, const std::string& path,
                const Progress& progress) override;

 private:
  std::chrono::seconds stallLimit_;
};

}  // namespace maltrove::platform
