// WindowVerbs: the WScript verbs that give a control a window and reach it
// as a user would: CreateWindow, Screenshot, Pixel, Sleep, Mouse, Wheel,
// DataTip, Compose and WshShell's SendKeys. Each window is a top-level
// widget holding the control's window, which fills it; the newest is the
// active window and its control has the keyboard focus.
#pragma once

#include <QJSEngine>
#include <QObject>
#include <QWidget>
#include <map>
#include <memory>

#include "automation/dispatch_object.h"
#include "host/variant_convert.h"
#include "host/window_input.h"

namespace maltrove::host {

class WindowVerbs : public QObject {
  Q_OBJECT

 public:
  WindowVerbs(QJSEngine& engine, ObjectTable& objects);
  ~WindowVerbs() override;

  // Destroys every window; the controls stay.
  void CloseAll();

  // Reached by the prelude; `object` is the control's bridge.
  Q_INVOKABLE void createWindow(const QJSValue& object, int width, int height);
  Q_INVOKABLE bool screenshot(const QJSValue& object, const QString& path);
  Q_INVOKABLE QString pixel(const QJSValue& object, double x, double y);
  Q_INVOKABLE void sleep(int milliseconds);
  Q_INVOKABLE void mouse(const QJSValue& object, const QString& action, int x, int y,
                         const QString& keys);
  Q_INVOKABLE void wheel(const QJSValue& object, int x, int y, int notches);
  Q_INVOKABLE QString dataTip(const QJSValue& object);
  // WshShell.SendKeys: to whichever widget has the focus.
  Q_INVOKABLE void sendKeys(const QString& keys);
  Q_INVOKABLE void compose(const QJSValue& object, const QString& preedit, const QString& commit);

 private:
  struct Window {
    std::unique_ptr<QWidget> top;
    QPointer<QWidget> control;
    std::unique_ptr<PointerInput> input;
  };

  // The window of the control behind `object`; throws and answers nullptr
  // when there is none.
  Window* Find(const QJSValue& object, const char* verb);
  QWidget* ControlWindow(const QJSValue& object);

  QJSEngine& engine_;
  ObjectTable& objects_;
  std::map<automation::DispatchObject*, Window> windows_;
};

}  // namespace maltrove::host
