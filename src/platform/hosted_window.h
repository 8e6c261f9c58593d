// HostedWindow: a control's window made by the platform inside a host's
// window. Destroying it destroys the window, unless the host already did.
#pragma once

#include <memory>

#include "platform/native_window.h"

namespace maltrove::platform {

class HostedWindow {
 public:
  virtual ~HostedWindow() = default;
  // The platform's widget (a QWidget*), or nullptr once the host destroyed it.
  virtual void* widget() const = 0;
};

// Creates the window of `client` as a child of `parent` (a QWidget*).
std::unique_ptr<HostedWindow> CreateHostedWindow(void* parent, WindowClient* client);

}  // namespace maltrove::platform
