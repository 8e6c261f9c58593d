// The window verbs of maltrove-script against a test control whose window
// is a GridWidget over a recording client that opens an editor on F2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "editing_client.h"
#include "automation/class_registry.h"
#include "host/script_host.h"
#include "platform/qt/grid_widget.h"

namespace maltrove::host {
namespace {

using automation::DispatchObject;
using automation::HResult;

// What the last control's window received, and whether the window had gone
// when the control was released.
QStringList last_calls;
bool last_detached = false;
std::string last_editor_text;
QStringList last_editor_calls;

class WindowedControl : public DispatchObject {
 public:
  ~WindowedControl() override {
    last_detached = client_.window == nullptr;
    last_calls = client_.calls;
    last_editor_text = client_.editorText;
    last_editor_calls = client_.listener.calls;
  }
  HResult GetDispId(std::string_view, automation::DispId*) const override {
    return HResult::kUnknownName;
  }
  HResult Invoke(automation::DispId, automation::MemberKind, const std::vector<automation::Variant>&,
                 automation::Variant*, std::string*) override {
    return HResult::kMemberNotFound;
  }
  std::vector<automation::MemberInfo> Members() const override { return {}; }
  const std::vector<automation::EventInfo>& Events() const override { return events_; }
  bool HasMember(automation::DispId, automation::MemberKind) const override { return false; }
  void Advise(automation::EventSink*) override {}
  void Unadvise(automation::EventSink*) override {}
  void LoadProperties(const automation::PropertyBag&) override {}
  automation::PropertyBag SaveProperties() override { return {}; }
  HResult GetInterfaceSafetyOptions(automation::SafetyInterface iface,
                                    automation::SafetyOptions* options) override {
    return automation::StandardGetSafetyOptions(iface, options);
  }
  HResult SetInterfaceSafetyOptions(automation::SafetyInterface iface, uint32_t mask,
                                    uint32_t enabled) override {
    return automation::StandardSetSafetyOptions(iface, mask, enabled);
  }
  void* InPlaceActivate(void* parent) override {
    return new platform::GridWidget(static_cast<QWidget*>(parent), &client_);
  }

 private:
  platform::EditingClient client_;
  std::vector<automation::EventInfo> events_;
};

// The calls that are input: not sizes, the pointer leaving or the focus
// leaving (for the editor, or as the window goes).
QStringList InputCalls() {
  QStringList input;
  for (const QString& call : last_calls) {
    const QString what = call.section(QLatin1Char(' '), 0, 0);
    if (what != QLatin1String("size") && what != QLatin1String("leave") &&
        what != QLatin1String("focuslost")) {
      input.append(call);
    }
  }
  return input;
}

class WindowVerbsTest : public testing::Test {
 protected:
  WindowVerbsTest() {
    classes.Register({"Test.Windowed.1", "{00000000-0000-0000-0000-000000000001}", "Windowed"},
                     [](const platform::Services&) { return std::make_shared<WindowedControl>(); });
  }

  // Runs the script; its failures are thrown Errors, so 0 means all held.
  int Run(const QString& body) {
    ScriptHost host(classes, dir.filePath(QStringLiteral("test.js")), {});
    const QString prologue = QStringLiteral(
        "function check(ok, what) { if (!ok) throw new Error(what); }\n"
        "var c = new ActiveXObject('Test.Windowed.1');\n"
        "WScript.CreateWindow(c, 120, 80);\n");
    return host.Run(prologue + body);
  }

  QTemporaryDir dir;
  automation::ClassRegistry classes;
};

TEST_F(WindowVerbsTest, WindowOfTheAskedSizeShowsTheControl) {
  EXPECT_EQ(Run("check(WScript.Pixel(c, 0, 0) === '#0000FF', 'top left ' + WScript.Pixel(c, 0, 0));"
                "check(WScript.Pixel(c, 119, 79) === '#0000FF', 'bottom right');"
                "var outside = false; try { WScript.Pixel(c, 120, 5); } catch (e) { outside = true; }"
                "check(outside, 'outside the window');"),
            0);
  EXPECT_TRUE(last_detached);  // the window went before the control
}

TEST_F(WindowVerbsTest, ScreenshotWritesAPng) {
  const QString path = dir.filePath(QStringLiteral("shot.png"));
  EXPECT_EQ(Run(QStringLiteral("check(WScript.Screenshot(c, '%1'), 'saved');").arg(path)), 0);
  const QImage image(path);
  EXPECT_EQ(image.size(), QSize(120, 80));
  EXPECT_EQ(image.pixelColor(60, 40), QColor(0, 0, 255));
}

TEST_F(WindowVerbsTest, MouseSendsRealEvents) {
  ASSERT_EQ(Run("WScript.Mouse(c, 'down', 5, 6, 'shift');"
                "WScript.Mouse(c, 'move', 9, 10);"
                "WScript.Mouse(c, 'up', 9, 10, 'ctrl');"
                "WScript.Mouse(c, 'move', 11, 12);"
                "WScript.Mouse(c, 'click', 20, 21);"
                "WScript.Mouse(c, 'dblclick', 30, 31, 'shift ctrl');"
                "WScript.Mouse(c, 'rightclick', 40, 41);"
                "WScript.Wheel(c, 50, 51, -2);"
                "WScript.Sleep(1);"),
            0);
  const QStringList input = InputCalls();
  const QString lines = QString::number(QApplication::wheelScrollLines());
  EXPECT_EQ(input, (QStringList{"down 5 6 1", "move 9 10 0 1", "up 9 10 2", "move 11 12 0 0",
                                "down 20 21 0", "up 20 21 0", "down 30 31 3", "up 30 31 3",
                                "dblclick 30 31 3", "up 30 31 3", "rightclick 40 41 0",
                                "wheel 50 51 -2 " + lines}))
      << input.join(QLatin1Char('|')).toStdString();
}

TEST_F(WindowVerbsTest, DataTipReadsTheTipWindow) {
  EXPECT_EQ(Run("check(WScript.DataTip(c) === '', 'no tip yet');"), 0);
}

TEST_F(WindowVerbsTest, OneWindowPerControl) {
  EXPECT_EQ(Run("var again = false;"
                "try { WScript.CreateWindow(c, 10, 10); } catch (e) { again = true; }"
                "check(again, 'second window refused');"
                "var plain = false;"
                "try { WScript.CreateWindow({}, 10, 10); } catch (e) { plain = true; }"
                "check(plain, 'not a control');"),
            0);
}

TEST_F(WindowVerbsTest, NewWindowHasTheKeyboardFocus) {
  ASSERT_EQ(Run("var shell = new ActiveXObject('WScript.Shell');"
                "shell.SendKeys('a+b{DOWN}^{HOME}{ESC}');"),
            0);
  EXPECT_EQ(InputCalls(), (QStringList{"key 65 0", "char a 0", "key 66 1", "char B 1",
                                       "key 40 0", "key 36 2", "key 27 0"}))
      << last_calls.join(QLatin1Char('|')).toStdString();
}

TEST_F(WindowVerbsTest, TheNewestWindowHasTheKeyboardFocus) {
  ASSERT_EQ(Run("var d = new ActiveXObject('Test.Windowed.1');"
                "WScript.CreateWindow(d, 100, 60);"
                "new ActiveXObject('WScript.Shell').SendKeys('p');"
                "check(WScript.Pixel(d, 0, 0) === '#FF0000', 'the second window got the key');"
                "check(WScript.Pixel(c, 0, 0) === '#0000FF', 'the first did not');"
                "WScript.Compose(c, '', 'x');"),  // not the focus: to its window all the same
            0);
}

TEST_F(WindowVerbsTest, SendKeysRunsWhatTheKeysPosted) {
  ASSERT_EQ(Run("new ActiveXObject('WScript.Shell').SendKeys('p');"
                "check(WScript.Pixel(c, 0, 0) === '#FF0000', 'posted before SendKeys returned');"),
            0);
  EXPECT_EQ(InputCalls(), (QStringList{"key 80 0", "char p 0", "posted 1 2 3"}));
}

TEST_F(WindowVerbsTest, SendKeysReachesTheOpenEditor) {
  ASSERT_EQ(Run("var shell = new ActiveXObject('WScript.Shell');"
                "shell.SendKeys('{F2}한a{TAB}{ENTER}');"),
            0);
  EXPECT_EQ(last_editor_text, "한a");
  EXPECT_EQ(last_editor_calls,
            (QStringList{"ask 한 [] 0", "ask a [한] 3", "key 9 0", "key 13 0"}));
  EXPECT_EQ(InputCalls(), QStringList{"key 113 0"});  // the rest went to the editor
}

TEST_F(WindowVerbsTest, SendKeysSyntaxErrorsThrow) {
  EXPECT_EQ(Run("var thrown = false;"
                "try { new ActiveXObject('WScript.Shell').SendKeys('{NOPE}'); }"
                "catch (e) { thrown = /unknown key/.test(String(e)); }"
                "check(thrown, 'unknown key thrown');"),
            0);
}

TEST_F(WindowVerbsTest, ComposeGoesToTheGridOrItsEditor) {
  ASSERT_EQ(Run("WScript.Compose(c, '한', '');"
                "WScript.Compose(c, '', '한');"
                "var shell = new ActiveXObject('WScript.Shell');"
                "shell.SendKeys('{F2}');"
                "WScript.Compose(c, '그', '');"
                "WScript.Compose(c, '글', '');"
                "WScript.Compose(c, '', '글');"
                "shell.SendKeys('{ENTER}');"),
            0);
  EXPECT_EQ(InputCalls(), (QStringList{"compose [한] []", "compose [] [한]", "key 113 0"}));
  EXPECT_EQ(last_editor_text, "글");
}

}  // namespace
}  // namespace maltrove::host
