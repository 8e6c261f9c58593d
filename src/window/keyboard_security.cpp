#include "window/keyboard_security.h"

#include <dlfcn.h>

#include <vector>

namespace maltrove {

bool KeyboardSecurity::Available() {
#ifdef MALTROVE_KEYBOARD_SECURITY
  return true;
#else
  return false;
#endif
}

bool KeyboardSecurity::Load(void* edit) {
  Unload();
  handle_ = dlopen(library_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) return false;
  auto load = reinterpret_cast<LoadFn>(dlsym(handle_, "LoadSCSK"));
  init_ = reinterpret_cast<InitFn>(dlsym(handle_, "InitEditSCSK"));
  getText_ = reinterpret_cast<GetTextFn>(dlsym(handle_, "GetEditTextSCSK"));
  unload_ = reinterpret_cast<UnloadFn>(dlsym(handle_, "UnloadEditSCSK"));
  // Looked up as the module publishes it, though the text is read narrow.
  (void)dlsym(handle_, "GetEditTextSCSKW");
  if (load == nullptr || init_ == nullptr || getText_ == nullptr || unload_ == nullptr ||
      load() == 0) {
    Unload();
    return false;
  }
  active_ = true;
  edit_ = edit;
  init_(edit_);
  return true;
}

std::string KeyboardSecurity::Text() const {
  if (!active_) return {};
  std::vector<char> buffer(kTextBufferSize + 1, '\0');
  getText_(edit_, buffer.data(), kTextBufferSize);
  buffer[kTextBufferSize] = '\0';
  return std::string(buffer.data());
}

void KeyboardSecurity::Unload() {
  if (active_ && unload_ != nullptr) unload_(edit_);
  active_ = false;
  edit_ = nullptr;
  init_ = nullptr;
  getText_ = nullptr;
  unload_ = nullptr;
  if (handle_ != nullptr) dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace maltrove
