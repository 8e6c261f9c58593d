// The key syntax of Windows Script Host's WshShell.SendKeys, parsed into
// key strokes: {NAME} and {NAME n} for named keys and repeats, + Shift,
// ^ Ctrl and % Alt on the next key or a parenthesised group, ~ for Enter,
// braces around a character to type it literally ({+} {^} {%} {~} {{} {}}
// {(} {)}), any other character typed as itself.
#pragma once

#include <QList>
#include <QString>
#include <Qt>

namespace maltrove::host {

struct KeyStroke {
  int key = 0;  // a Qt::Key, Qt::Key_unknown for characters without a key
  Qt::KeyboardModifiers modifiers;
  QString text;  // what the key types, as a keyboard would report it

  bool operator==(const KeyStroke& other) const {
    return key == other.key && modifiers == other.modifiers && text == other.text;
  }
};

struct ParsedKeys {
  QList<KeyStroke> strokes;
  QString error;  // empty when the whole text parsed
};

ParsedKeys ParseSendKeys(const QString& keys);

}  // namespace maltrove::host
