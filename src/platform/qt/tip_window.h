// TipWindow: the data tip, a frameless tool-tip window that never takes the
// focus. Its "text" property holds what it shows, for hosts to read.
#pragma once

#include <QWidget>

#include "platform/draw_surface.h"

namespace maltrove::platform {

class TipWindow : public QWidget {
  Q_OBJECT

 public:
  // A top-level window owned by `owner`.
  explicit TipWindow(QWidget* owner);

  // `screenRect` in screen coordinates; wraps when `wrapWidth` > 0.
  void ShowText(const QString& text, const QRect& screenRect, int wrapWidth);

  static FontDescription Font();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  int wrap_width_ = 0;
};

}  // namespace maltrove::platform
