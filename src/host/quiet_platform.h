// Keeps the notices of Qt's offscreen platform (no runtime folder, no mouse
// grab, no raise) out of the script's output, whose every line is checked.
#pragma once

namespace maltrove::host {

// Installs a message handler that drops those notices and passes on the rest.
void SilencePlatformNotices();

}  // namespace maltrove::host
