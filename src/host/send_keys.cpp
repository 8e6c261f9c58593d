#include "host/send_keys.h"

#include <QHash>

namespace maltrove::host {

namespace {

struct NamedKey {
  int key;
  const char* text;
};

const QHash<QString, NamedKey>& NamedKeys() {
  static const QHash<QString, NamedKey> keys{
      {QStringLiteral("ENTER"), {Qt::Key_Return, "\r"}},
      {QStringLiteral("TAB"), {Qt::Key_Tab, "\t"}},
      {QStringLiteral("ESC"), {Qt::Key_Escape, "\x1b"}},
      {QStringLiteral("ESCAPE"), {Qt::Key_Escape, "\x1b"}},
      {QStringLiteral("BS"), {Qt::Key_Backspace, "\b"}},
      {QStringLiteral("BKSP"), {Qt::Key_Backspace, "\b"}},
      {QStringLiteral("BACKSPACE"), {Qt::Key_Backspace, "\b"}},
      {QStringLiteral("DEL"), {Qt::Key_Delete, "\x7f"}},
      {QStringLiteral("DELETE"), {Qt::Key_Delete, "\x7f"}},
      {QStringLiteral("INS"), {Qt::Key_Insert, ""}},
      {QStringLiteral("INSERT"), {Qt::Key_Insert, ""}},
      {QStringLiteral("HOME"), {Qt::Key_Home, ""}},
      {QStringLiteral("END"), {Qt::Key_End, ""}},
      {QStringLiteral("PGUP"), {Qt::Key_PageUp, ""}},
      {QStringLiteral("PGDN"), {Qt::Key_PageDown, ""}},
      {QStringLiteral("UP"), {Qt::Key_Up, ""}},
      {QStringLiteral("DOWN"), {Qt::Key_Down, ""}},
      {QStringLiteral("LEFT"), {Qt::Key_Left, ""}},
      {QStringLiteral("RIGHT"), {Qt::Key_Right, ""}},
  };
  return keys;
}

// A typed character: Latin keys are named by their upper-case codes, other
// characters (Korean) have no key of their own. Ctrl and Alt make a
// shortcut, which types nothing; Shift types a capital.
KeyStroke CharacterStroke(QChar c, Qt::KeyboardModifiers modifiers) {
  KeyStroke stroke;
  stroke.modifiers = modifiers;
  stroke.key = c.unicode() < 0x7F ? c.toUpper().unicode() : int(Qt::Key_unknown);
  if (c == QLatin1Char(' ')) stroke.key = Qt::Key_Space;
  if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
    stroke.text = (modifiers & Qt::ShiftModifier) ? QString(c.toUpper()) : QString(c);
  }
  return stroke;
}

class Parser {
 public:
  explicit Parser(const QString& keys) : keys_(keys) {}

  ParsedKeys Run() {
    ParsedKeys parsed;
    Sequence(Qt::NoModifier, false, &parsed.strokes);
    if (error_.isEmpty() && at_ < keys_.size()) error_ = QStringLiteral("unmatched ')'");
    parsed.error = error_;
    if (!error_.isEmpty()) parsed.strokes.clear();
    return parsed;
  }

 private:
  // Keys up to the end, or to the ')' closing a group.
  void Sequence(Qt::KeyboardModifiers held, bool inGroup, QList<KeyStroke>* out) {
    Qt::KeyboardModifiers pending;
    while (error_.isEmpty() && at_ < keys_.size()) {
      const QChar c = keys_.at(at_);
      if (c == QLatin1Char(')')) {
        if (inGroup) return;
        error_ = QStringLiteral("unmatched ')'");
        return;
      }
      ++at_;
      if (c == QLatin1Char('+')) { pending |= Qt::ShiftModifier; continue; }
      if (c == QLatin1Char('^')) { pending |= Qt::ControlModifier; continue; }
      if (c == QLatin1Char('%')) { pending |= Qt::AltModifier; continue; }
      Item(c, held | pending, out);
      pending = Qt::NoModifier;
    }
    if (inGroup && error_.isEmpty()) error_ = QStringLiteral("unmatched '('");
  }

  void Item(QChar c, Qt::KeyboardModifiers modifiers, QList<KeyStroke>* out) {
    if (c == QLatin1Char('(')) {
      Sequence(modifiers, true, out);
      if (error_.isEmpty()) ++at_;  // the ')'
    } else if (c == QLatin1Char('{')) {
      Braced(modifiers, out);
    } else if (c == QLatin1Char('~')) {
      out->append({Qt::Key_Return, modifiers, QStringLiteral("\r")});
    } else if (c == QLatin1Char('}')) {
      error_ = QStringLiteral("unmatched '}'");
    } else {
      out->append(CharacterStroke(c, modifiers));
    }
  }

  // After '{': "NAME}", "NAME n}", or one character and '}' ("}}" included).
  void Braced(Qt::KeyboardModifiers modifiers, QList<KeyStroke>* out) {
    const qsizetype close = keys_.indexOf(QLatin1Char('}'), at_ + 1);
    if (at_ >= keys_.size() || close < 0) {
      error_ = QStringLiteral("unmatched '{'");
      return;
    }
    QString name = keys_.mid(at_, close - at_);
    at_ = close + 1;
    int count = 1;
    const qsizetype blank = name.lastIndexOf(QLatin1Char(' '));
    if (blank > 0) {
      bool ok = false;
      count = name.mid(blank + 1).toInt(&ok);
      if (!ok || count < 0) {
        error_ = QStringLiteral("bad repeat count in {%1}").arg(name);
        return;
      }
      name.truncate(blank);
    }
    KeyStroke stroke;
    if (!Stroke(name, modifiers, &stroke)) return;
    for (int i = 0; i < count; ++i) out->append(stroke);
  }

  bool Stroke(const QString& name, Qt::KeyboardModifiers modifiers, KeyStroke* stroke) {
    if (name.size() == 1) {
      *stroke = CharacterStroke(name.at(0), modifiers);
      return true;
    }
    const QString upper = name.toUpper();
    const auto named = NamedKeys().constFind(upper);
    if (named != NamedKeys().constEnd()) {
      *stroke = {named->key, modifiers, QString::fromLatin1(named->text)};
      return true;
    }
    bool ok = false;
    const int function = upper.startsWith(QLatin1Char('F')) ? upper.mid(1).toInt(&ok) : 0;
    if (ok && function >= 1 && function <= 24) {
      *stroke = {Qt::Key_F1 + function - 1, modifiers, QString()};
      return true;
    }
    error_ = QStringLiteral("unknown key {%1}").arg(name);
    return false;
  }

  const QString& keys_;
  qsizetype at_ = 0;
  QString error_;
};

}  // namespace

ParsedKeys ParseSendKeys(const QString& keys) { return Parser(keys).Run(); }

}  // namespace maltrove::host
