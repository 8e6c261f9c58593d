#include "host/window_verbs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <QtMath>

#include "host/keyboard_input.h"
#include "host/send_keys.h"

namespace maltrove::host {

namespace {

constexpr int kExposeTimeoutMs = 5000;

void WaitUntilExposed(QWidget& top) {
  QDeadlineTimer deadline(kExposeTimeoutMs);
  while (!deadline.hasExpired()) {
    const QWindow* handle = top.windowHandle();
    if (handle != nullptr && handle->isExposed()) break;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  QCoreApplication::processEvents();
}

}  // namespace

WindowVerbs::WindowVerbs(QJSEngine& engine, ObjectTable& objects)
    : engine_(engine), objects_(objects) {}

WindowVerbs::~WindowVerbs() { CloseAll(); }

void WindowVerbs::CloseAll() { windows_.clear(); }

WindowVerbs::Window* WindowVerbs::Find(const QJSValue& object, const char* verb) {
  const std::shared_ptr<automation::DispatchObject> control = objects_.ObjectOf(object);
  auto it = control ? windows_.find(control.get()) : windows_.end();
  if (it == windows_.end() || !it->second.control) {
    engine_.throwError(QStringLiteral("WScript.%1: the object has no window")
                           .arg(QLatin1String(verb)));
    return nullptr;
  }
  return &it->second;
}

void WindowVerbs::createWindow(const QJSValue& object, int width, int height) {
  const std::shared_ptr<automation::DispatchObject> control = objects_.ObjectOf(object);
  if (!control) {
    engine_.throwError(QStringLiteral("WScript.CreateWindow: not a control"));
    return;
  }
  if (windows_.count(control.get()) != 0) {
    engine_.throwError(QStringLiteral("WScript.CreateWindow: the object has a window already"));
    return;
  }
  auto top = std::make_unique<QWidget>();
  top->resize(width, height);
  auto* child = static_cast<QWidget*>(control->InPlaceActivate(top.get()));
  if (child == nullptr) {
    engine_.throwError(QStringLiteral("WScript.CreateWindow: the object has no window"));
    return;
  }
  auto* layout = new QVBoxLayout(top.get());
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(child);
  top->show();
  QApplication::setActiveWindow(top.get());
  top->activateWindow();
  WaitUntilExposed(*top);
  child->setFocus(Qt::ActiveWindowFocusReason);
  Window& window = windows_[control.get()];
  window.top = std::move(top);
  window.control = child;
  window.input = std::make_unique<PointerInput>(child);
}

bool WindowVerbs::screenshot(const QJSValue& object, const QString& path) {
  Window* window = Find(object, "Screenshot");
  if (window == nullptr) return false;
  return window->control->grab().save(path, "PNG");
}

QString WindowVerbs::pixel(const QJSValue& object, double x, double y) {
  Window* window = Find(object, "Pixel");
  if (window == nullptr) return {};
  const QImage image = window->control->grab().toImage();
  const qreal ratio = image.devicePixelRatio();
  const QPoint at(qFloor(x * ratio), qFloor(y * ratio));
  if (!image.rect().contains(at)) {
    engine_.throwError(QStringLiteral("WScript.Pixel: (%1, %2) is outside the window").arg(x).arg(y));
    return {};
  }
  const QColor colour = image.pixelColor(at);
  return QString::asprintf("#%02X%02X%02X", colour.red(), colour.green(), colour.blue());
}

void WindowVerbs::sleep(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(std::max(0, milliseconds), &loop, &QEventLoop::quit);
  loop.exec();
}

void WindowVerbs::mouse(const QJSValue& object, const QString& action, int x, int y,
                        const QString& keys) {
  Window* window = Find(object, "Mouse");
  if (window == nullptr) return;
  PointerInput& input = *window->input;
  const QPoint at(x, y);
  const Qt::KeyboardModifiers modifiers = ModifiersOf(keys);
  if (action == QLatin1String("down")) {
    input.Press(at, Qt::LeftButton, modifiers);
  } else if (action == QLatin1String("up")) {
    input.Release(at, Qt::LeftButton, modifiers);
  } else if (action == QLatin1String("move")) {
    input.Move(at, modifiers);
  } else if (action == QLatin1String("click")) {
    input.Press(at, Qt::LeftButton, modifiers);
    input.Release(at, Qt::LeftButton, modifiers);
  } else if (action == QLatin1String("dblclick")) {
    input.Press(at, Qt::LeftButton, modifiers);
    input.Release(at, Qt::LeftButton, modifiers);
    input.DoubleClick(at, Qt::LeftButton, modifiers);
    input.Release(at, Qt::LeftButton, modifiers);
  } else if (action == QLatin1String("rightclick")) {
    input.Press(at, Qt::RightButton, modifiers);
    input.Release(at, Qt::RightButton, modifiers);
  } else {
    engine_.throwError(QStringLiteral("WScript.Mouse: unknown action '%1'").arg(action));
  }
}

void WindowVerbs::wheel(const QJSValue& object, int x, int y, int notches) {
  Window* window = Find(object, "Wheel");
  if (window != nullptr) window->input->Wheel(QPoint(x, y), notches, Qt::NoModifier);
}

QString WindowVerbs::dataTip(const QJSValue& object) {
  const std::shared_ptr<automation::DispatchObject> control = objects_.ObjectOf(object);
  auto it = control ? windows_.find(control.get()) : windows_.end();
  if (it == windows_.end() || !it->second.control) return {};
  const auto* tip = it->second.control->findChild<QWidget*>(QStringLiteral("maltrove-datatip"));
  if (tip == nullptr || !tip->isVisible()) return {};
  return tip->property("text").toString();
}

void WindowVerbs::sendKeys(const QString& keys) {
  const ParsedKeys parsed = ParseSendKeys(keys);
  if (!parsed.error.isEmpty()) {
    engine_.throwError(QStringLiteral("WScript.Shell.SendKeys: %1 in \"%2\"").arg(parsed.error, keys));
    return;
  }
  for (const KeyStroke& stroke : parsed.strokes) {
    if (!SendStroke(stroke)) {
      engine_.throwError(QStringLiteral("WScript.Shell.SendKeys: no window has the focus"));
      return;
    }
  }
}

// To the focus widget when it is the control's window or inside it (an
// editor), else to the control's window.
void WindowVerbs::compose(const QJSValue& object, const QString& preedit, const QString& commit) {
  Window* window = Find(object, "Compose");
  if (window == nullptr) return;
  QWidget* target = KeyboardFocus();
  if (target == nullptr || (target != window->control && !window->control->isAncestorOf(target))) {
    target = window->control;
  }
  SendComposition(target, preedit, commit);
}

}  // namespace maltrove::host
