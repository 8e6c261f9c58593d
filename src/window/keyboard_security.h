// KeyboardSecurity: the outside keyboard-security module that protects what
// is typed into the grid's text editors. It is loaded by name for each text
// editor and released with it. Builds configured without keyboard
// protection never load it.
#pragma once

#include <string>

namespace maltrove {

class KeyboardSecurity {
 public:
  static constexpr char kDefaultLibrary[] = "libSCSKAppLink.so";
  static constexpr int kTextBufferSize = 65534;

  KeyboardSecurity() = default;
  KeyboardSecurity(const KeyboardSecurity&) = delete;
  KeyboardSecurity& operator=(const KeyboardSecurity&) = delete;
  ~KeyboardSecurity() { Unload(); }

  // Whether this build loads the module at all.
  static bool Available();

  void SetLibrary(std::string name) { library_ = std::move(name); }
  // Loads the module and starts it for the editor window `edit`; false when
  // the library, an entry point or its start is missing (nothing stays loaded).
  bool Load(void* edit);
  bool active() const { return active_; }
  // The text typed into `edit`, as the module keeps it.
  std::string Text() const;
  void Unload();

 private:
  using LoadFn = int (*)();
  using InitFn = int (*)(void*);
  using GetTextFn = int (*)(void*, char*, int);
  using UnloadFn = int (*)(void*);

  std::string library_ = kDefaultLibrary;
  void* handle_ = nullptr;
  void* edit_ = nullptr;
  bool active_ = false;
  InitFn init_ = nullptr;
  GetTextFn getText_ = nullptr;
  UnloadFn unload_ = nullptr;
};

}  // namespace maltrove
