// The platform services a host hands to every control it creates.
#pragma once

#include <string>

namespace maltrove::platform {

class Clipboard;
class Registry;
class Shell;
class UrlDownloader;
class UserInterface;

struct Services {
  UserInterface* ui = nullptr;
  Clipboard* clipboard = nullptr;
  Registry* registry = nullptr;
  UrlDownloader* downloader = nullptr;
  Shell* shell = nullptr;
  // The URL of the hosting document, against which relative references are
  // resolved; empty when the host has none.
  std::string documentUrl;
};

}  // namespace maltrove::platform
