// The window verbs of maltrove-script against a test control whose window
// is a GridWidget over a recording client.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "../platform_qt/recording_client.h"
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

class WindowedControl : public DispatchObject {
 public:
  ~WindowedControl() override {
    last_detached = client_.window == nullptr;
    last_calls = client_.calls;
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
  platform::RecordingClient client_;
  std::vector<automation::EventInfo> events_;
};

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
  QStringList input;
  for (const QString& call : last_calls) {
    if (!call.startsWith(QLatin1String("size")) && !call.startsWith(QLatin1String("leave"))) {
      input.append(call);
    }
  }
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

}  // namespace
}  // namespace maltrove::host
