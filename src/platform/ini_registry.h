// The registry as an INI file in the manner of regedit exports:
//   [HKEY_CURRENT_USER\SOFTWARE\...\Internet Settings]
//   MaxConnectionsPerServer=dword:00000002
#pragma once

#include "platform/registry.h"

namespace maltrove::platform {

class IniRegistry : public Registry {
 public:
  // The file $XDG_CONFIG_HOME/maltrove/registry.ini (default ~/.config/...).
  static std::string DefaultPath();

  explicit IniRegistry(std::string path) : path_(std::move(path)) {}

  RegistryRead ReadDword(const std::string& key, const std::string& name,
                         uint32_t* value) override;
  bool WriteDword(const std::string& key, const std::string& name, uint32_t value) override;

 private:
  std::string path_;
};

}  // namespace maltrove::platform
