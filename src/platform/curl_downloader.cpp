#include "platform/curl_downloader.h"

#include <curl/curl.h>

#include <cstdio>

namespace maltrove::platform {

namespace {

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
  return std::fwrite(data, size, count, static_cast<FILE*>(file)) * size;
}

int ReportProgress(void* user, curl_off_t total, curl_off_t done, curl_off_t, curl_off_t) {
  const auto* progress = static_cast<const UrlDownloader::Progress*>(user);
  if (*progress) (*progress)(done, total);
  return 0;
}

}  // namespace

bool CurlDownloader::Download(const std::string& url, const std::string& path,
                              const Progress& progress) {
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    curl_easy_cleanup(curl);
    return false;
  }
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,file");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  const long stall = static_cast<long>(stallLimit_.count());
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, stall);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);  // bytes per second
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stall);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteToFile);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, file);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, ReportProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &progress);
  CURLcode rc = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  bool ok = std::fclose(file) == 0 && rc == CURLE_OK;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace maltrove::platform
