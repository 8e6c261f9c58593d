// The per-user registry: key paths and value names as on Windows, kept in an
// INI file ($XDG_CONFIG_HOME/maltrove/registry.ini).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace maltrove::platform {

enum class RegistryRead { kValue, kNoKey, kNoValue, kNotDword };

class Registry {
 public:
  virtual ~Registry() = default;
  virtual RegistryRead ReadDword(const std::string& key, const std::string& name,
                                 uint32_t* value) = 0;
  // Creates the key when missing. false when the store cannot be written.
  virtual bool WriteDword(const std::string& key, const std::string& name, uint32_t value) = 0;
};

}  // namespace maltrove::platform
