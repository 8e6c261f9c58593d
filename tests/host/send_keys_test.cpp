// The SendKeys syntax of Windows Script Host.
#include "host/send_keys.h"

#include <gtest/gtest.h>

namespace maltrove::host {
namespace {

KeyStroke Stroke(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 const QString& text = QString()) {
  return {key, modifiers, text};
}

QList<KeyStroke> Parse(const QString& keys) {
  const ParsedKeys parsed = ParseSendKeys(keys);
  EXPECT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
  return parsed.strokes;
}

TEST(SendKeys, PlainCharactersTypeThemselves) {
  EXPECT_EQ(Parse(QStringLiteral("a1 ")),
            (QList<KeyStroke>{Stroke(Qt::Key_A, {}, "a"), Stroke(Qt::Key_1, {}, "1"),
                              Stroke(Qt::Key_Space, {}, " ")}));
  EXPECT_EQ(Parse(QStringLiteral("한")),
            QList<KeyStroke>{Stroke(Qt::Key_unknown, {}, QStringLiteral("한"))});
}

TEST(SendKeys, NamedKeysCarryTheirControlText) {
  EXPECT_EQ(Parse(QStringLiteral("{ENTER}~{TAB}{ESC}{BS}{BACKSPACE}{DEL}{delete}")),
            (QList<KeyStroke>{Stroke(Qt::Key_Return, {}, "\r"), Stroke(Qt::Key_Return, {}, "\r"),
                              Stroke(Qt::Key_Tab, {}, "\t"), Stroke(Qt::Key_Escape, {}, "\x1b"),
                              Stroke(Qt::Key_Backspace, {}, "\b"),
                              Stroke(Qt::Key_Backspace, {}, "\b"),
                              Stroke(Qt::Key_Delete, {}, "\x7f"),
                              Stroke(Qt::Key_Delete, {}, "\x7f")}));
  EXPECT_EQ(Parse(QStringLiteral("{F2}{HOME}{END}{PGUP}{PGDN}{UP}{DOWN}{LEFT}{RIGHT}{INSERT}")),
            (QList<KeyStroke>{Stroke(Qt::Key_F2), Stroke(Qt::Key_Home), Stroke(Qt::Key_End),
                              Stroke(Qt::Key_PageUp), Stroke(Qt::Key_PageDown),
                              Stroke(Qt::Key_Up), Stroke(Qt::Key_Down), Stroke(Qt::Key_Left),
                              Stroke(Qt::Key_Right), Stroke(Qt::Key_Insert)}));
}

TEST(SendKeys, RepeatCounts) {
  EXPECT_EQ(Parse(QStringLiteral("{DOWN 3}{x 2}")),
            (QList<KeyStroke>{Stroke(Qt::Key_Down), Stroke(Qt::Key_Down), Stroke(Qt::Key_Down),
                              Stroke(Qt::Key_X, {}, "x"), Stroke(Qt::Key_X, {}, "x")}));
}

TEST(SendKeys, ModifiersApplyToTheNextKey) {
  EXPECT_EQ(Parse(QStringLiteral("+{TAB}^c%{F4}+ab")),
            (QList<KeyStroke>{Stroke(Qt::Key_Tab, Qt::ShiftModifier, "\t"),
                              Stroke(Qt::Key_C, Qt::ControlModifier),
                              Stroke(Qt::Key_F4, Qt::AltModifier),
                              Stroke(Qt::Key_A, Qt::ShiftModifier, "A"),
                              Stroke(Qt::Key_B, {}, "b")}));
  EXPECT_EQ(Parse(QStringLiteral("^+{END}")),
            QList<KeyStroke>{Stroke(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier)});
}

TEST(SendKeys, ModifiersApplyToAGroup) {
  EXPECT_EQ(Parse(QStringLiteral("+(ab)c")),
            (QList<KeyStroke>{Stroke(Qt::Key_A, Qt::ShiftModifier, "A"),
                              Stroke(Qt::Key_B, Qt::ShiftModifier, "B"),
                              Stroke(Qt::Key_C, {}, "c")}));
  EXPECT_EQ(Parse(QStringLiteral("^(+(x){LEFT})")),
            (QList<KeyStroke>{Stroke(Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier),
                              Stroke(Qt::Key_Left, Qt::ControlModifier)}));
}

TEST(SendKeys, BracesMakeSpecialCharactersLiteral) {
  EXPECT_EQ(Parse(QStringLiteral("{+}{^}{%}{~}{{}{}}{(}{)}")),
            (QList<KeyStroke>{Stroke('+', {}, "+"), Stroke('^', {}, "^"), Stroke('%', {}, "%"),
                              Stroke('~', {}, "~"), Stroke('{', {}, "{"), Stroke('}', {}, "}"),
                              Stroke('(', {}, "("), Stroke(')', {}, ")")}));
}

TEST(SendKeys, MistakesAreReported) {
  for (const char* bad : {"{ENTER", "{NOPE}", "(ab", "ab)", "}", "{DOWN x}"}) {
    const ParsedKeys parsed = ParseSendKeys(QString::fromLatin1(bad));
    EXPECT_FALSE(parsed.error.isEmpty()) << bad;
    EXPECT_TRUE(parsed.strokes.isEmpty()) << bad;
  }
}

}  // namespace
}  // namespace maltrove::host
