#include "platform/hosted_window.h"

#include <QPointer>

#include "platform/qt/grid_widget.h"

namespace maltrove::platform {

namespace {

class QtHostedWindow : public HostedWindow {
 public:
  QtHostedWindow(QWidget* parent, WindowClient* client)
      : widget_(new GridWidget(parent, client)) {}
  ~QtHostedWindow() override { delete widget_.data(); }
  void* widget() const override { return widget_.data(); }

 private:
  QPointer<GridWidget> widget_;
};

}  // namespace

std::unique_ptr<HostedWindow> CreateHostedWindow(void* parent, WindowClient* client) {
  return std::make_unique<QtHostedWindow>(static_cast<QWidget*>(parent), client);
}

}  // namespace maltrove::platform
