#pragma once

#include "platform/url_download.h"

namespace maltrove::platform {

// Downloads through libcurl; only http, https and file URLs are accepted.
class CurlDownloader : public UrlDownloader {
 public:
  bool Download(const std::string& url, const std::string& path,
                const Progress& progress) override;
};

}  // namespace maltrove::platform
