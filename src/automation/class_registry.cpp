#include "automation/class_registry.h"

#include <cctype>

#include "automation/member_table.h"

namespace maltrove::automation {

std::string NormalizeClsid(std::string_view text) {
  std::string_view rest = text;
  if (rest.size() >= 6 && FoldCase(rest.substr(0, 6)) == "clsid:") rest.remove_prefix(6);
  if (!rest.empty() && rest.front() == '{') rest.remove_prefix(1);
  if (!rest.empty() && rest.back() == '}') rest.remove_suffix(1);
  std::string out(rest);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

void ClassRegistry::Register(ClassInfo info, Factory factory) {
  entries_.push_back(Entry{std::move(info), std::move(factory)});
}

const ClassRegistry::Entry* ClassRegistry::FindEntry(std::string_view name) const {
  const std::string folded = FoldCase(name);
  const std::string clsid = NormalizeClsid(name);
  for (const Entry& e : entries_) {
    if (FoldCase(e.info.progId) == folded || NormalizeClsid(e.info.clsid) == clsid) return &e;
  }
  return nullptr;
}

const ClassInfo* ClassRegistry::Find(std::string_view name) const {
  const Entry* e = FindEntry(name);
  return e == nullptr ? nullptr : &e->info;
}

HResult ClassRegistry::Create(std::string_view name, const platform::Services& services,
                              std::shared_ptr<DispatchObject>* object) const {
  const Entry* e = FindEntry(name);
  if (e == nullptr) return HResult::kClassNotRegistered;
  *object = e->factory ? e->factory(services) : nullptr;
  return *object ? HResult::kOk : HResult::kNoInterface;
}

std::vector<ClassInfo> ClassRegistry::Classes() const {
  std::vector<ClassInfo> out;
  for (const Entry& e : entries_) out.push_back(e.info);
  return out;
}

}  // namespace maltrove::automation
