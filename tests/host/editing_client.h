// A recording client that behaves a little like the grid: F2 opens a text
// editor over the window and focuses it, Enter in the editor closes it and
// keeps its text, the P key posts message 1 (2, 3), which paints the
// window red.
#pragma once

#include <memory>
#include <string>

#include "../platform_qt/recording_client.h"
#include "../platform_qt/recording_listener.h"

namespace maltrove::platform {

class EditingClient : public RecordingClient {
 public:
  EditingClient() {
    listener.onKey = [this](int key) {
      if (key != kVkReturn || !editor) return;
      editorText = editor->Text();
      editor.reset();
      window->TakeFocus();
    };
  }

  void Attach(NativeWindow* w) override {
    if (w == nullptr) editor.reset();
    RecordingClient::Attach(w);
  }

  void OnKeyDown(int key, int keys) override {
    RecordingClient::OnKeyDown(key, keys);
    if (key == 'P') window->Post(1, 2, 3);
    if (key != kVkF2 || editor) return;
    editor = window->CreateEditor(EditorRequest{}, &listener);
    editor->Place({5, 5, 105, 30});
    editor->Focus();
  }

  void OnPosted(int message, int a, int b) override {
    RecordingClient::OnPosted(message, a, b);
    fill = Rgb(255, 0, 0);
  }

  std::unique_ptr<EditorWindow> editor;
  RecordingListener listener;
  std::string editorText;  // of the last editor closed by Enter
};

}  // namespace maltrove::platform
