// A stand-in for the outside keyboard-security module, for the loading
// tests: it starts unless SCSK_STANDIN_REFUSE is set, and keeps a text per
// editor handle that the tests can read back.
#include <cstdlib>
#include <cstring>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {
void* g_edit = nullptr;
int g_unloads = 0;
}  // namespace

EXPORT int LoadSCSK() { return std::getenv("SCSK_STANDIN_REFUSE") == nullptr ? 1 : 0; }

EXPORT int InitEditSCSK(void* edit) {
  g_edit = edit;
  return 1;
}

EXPORT int GetEditTextSCSK(void* edit, char* buffer, int size) {
  const char* text = edit == g_edit ? "보안 입력" : "";
  std::strncpy(buffer, text, static_cast<size_t>(size));
  return static_cast<int>(std::strlen(text));
}

EXPORT int GetEditTextSCSKW(void*, wchar_t*, int) { return 0; }

EXPORT int UnloadEditSCSK(void* edit) {
  if (edit == g_edit) g_edit = nullptr;
  return ++g_unloads;
}

EXPORT int StandinUnloadCount() { return g_unloads; }
