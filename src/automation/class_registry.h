// ClassRegistry: creates controls by ProgID or CLSID, as CoCreateInstance
// does from the registry. CLSIDs are accepted as "{...}", bare, or
// "clsid:..." and compared without regard to letter case.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/dispatch_object.h"
#include "platform/services.h"

namespace maltrove::automation {

struct ClassInfo {
  std::string progId;
  std::string clsid;  // "{DDC012F8-A786-4584-856D-044BC1F49414}"
  std::string typeName;
};

class ClassRegistry {
 public:
  // A factory may return nothing (a class without an automation object,
  // such as a property page).
  using Factory = std::function<std::shared_ptr<DispatchObject>(const platform::Services&)>;

  void Register(ClassInfo info, Factory factory);
  const ClassInfo* Find(std::string_view progIdOrClsid) const;
  // kClassNotRegistered for an unknown name; kNoInterface when the class
  // exists but has no automation object.
  HResult Create(std::string_view progIdOrClsid, const platform::Services& services,
                 std::shared_ptr<DispatchObject>* object) const;
  std::vector<ClassInfo> Classes() const;

 private:
  struct Entry {
    ClassInfo info;
    Factory factory;
  };
  const Entry* FindEntry(std::string_view progIdOrClsid) const;

  std::vector<Entry> entries_;
};

// "{abc-...}", "abc-..." and "clsid:abc-..." all become "ABC-...".
std::string NormalizeClsid(std::string_view text);

}  // namespace maltrove::automation
