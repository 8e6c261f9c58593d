// An EditorListener that writes down every call, one line each, and
// refuses the characters in `refused`.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "platform/editor_window.h"

namespace maltrove::platform {

class RecordingListener : public EditorListener {
 public:
  QStringList calls;
  QString refused;
  std::function<void(int key)> onKey;  // runs after the key is written down

  bool AcceptEditorChar(const std::string& character, const std::string& text,
                        int caret) override {
    const QString typed = QString::fromStdString(character);
    calls.append(QStringLiteral("ask %1 [%2] %3").arg(typed, QString::fromStdString(text)).arg(caret));
    return !refused.contains(typed);
  }
  void OnEditorKey(int key, int keys) override {
    calls.append(QStringLiteral("key %1 %2").arg(key).arg(keys));
    if (onKey) onKey(key);
  }
  void OnEditorFocusLost() override { calls.append(QStringLiteral("focuslost")); }
  void OnEditorListClosed(bool chosen) override {
    calls.append(QStringLiteral("closed %1").arg(chosen ? 1 : 0));
  }
  void OnEditorDateEdited() override { calls.append(QStringLiteral("dateedited")); }

  QStringList Named(const QString& what) const {
    QStringList found;
    for (const QString& call : calls) {
      if (call.section(QLatin1Char(' '), 0, 0) == what) found.append(call);
    }
    return found;
  }
};

}  // namespace maltrove::platform
