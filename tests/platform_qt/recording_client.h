// A WindowClient that fills its window with one colour and writes down
// every call it receives, one line each. Accessible() answers `table`.
#pragma once

#include <QRegularExpression>
#include <QStringList>

#include "platform/native_window.h"

namespace maltrove::platform {

class RecordingClient : public WindowClient {
 public:
  NativeWindow* window = nullptr;
  QStringList calls;
  Colour fill = Rgb(0, 0, 255);
  int attaches = 0;
  int threadKeys = 0;

  void Attach(NativeWindow* w) override {
    window = w;
    ++attaches;
  }
  void OnPaint(DrawSurface& surface) override {
    const Size size = window->ClientSize();
    surface.FillRect({0, 0, size.width, size.height}, fill);
  }
  void OnSize(int w, int h) override { Add("size", w, h); }
  void OnTimer(int id) override { Add("timer", id); }
  void OnMouseDown(int x, int y, int keys) override { Add("down", x, y, keys); }
  void OnMouseMove(int x, int y, int keys, bool leftHeld) override {
    Add("move", x, y, keys, leftHeld);
  }
  void OnMouseUp(int x, int y, int keys) override { Add("up", x, y, keys); }
  void OnDoubleClick(int x, int y, int keys) override { Add("dblclick", x, y, keys); }
  void OnRightClick(int x, int y, int keys) override { Add("rightclick", x, y, keys); }
  void OnWheel(int x, int y, int notches, int lines) override {
    Add("wheel", x, y, notches, lines);
  }
  void OnKeyDown(int key, int keys) override { Add("key", key, keys); }
  void OnMouseLeave() override { Add("leave"); }
  void OnThreadKeyPress() override { ++threadKeys; }
  void OnChar(const std::string& character, int keys) override {
    calls.append(QStringLiteral("char %1 %2").arg(QString::fromStdString(character)).arg(keys));
  }
  void OnComposition(const std::string& preedit, const std::string& commit) override {
    calls.append(QStringLiteral("compose [%1] [%2]")
                     .arg(QString::fromStdString(preedit), QString::fromStdString(commit)));
  }
  void OnPosted(int message, int a, int b) override { Add("posted", message, a, b); }
  void OnFocusLost() override { Add("focuslost"); }
  const AccessibleTable* Accessible() const override { return table; }

  const AccessibleTable* table = nullptr;

  // The calls named `what`.
  QStringList Named(const QString& what) const {
    return calls.filter(QRegularExpression(QStringLiteral("^") + what + QStringLiteral("\\b")));
  }

 private:
  template <class... Args>
  void Add(const char* what, Args... args) {
    QStringList parts{QString::fromLatin1(what)};
    (parts.append(QString::number(static_cast<int>(args))), ...);
    calls.append(parts.join(QLatin1Char(' ')));
  }
};

}  // namespace maltrove::platform
