// The command line of maltrove-page.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace maltrove::host {

struct PageOptions {
  QString page;             // a file path or an http/https URL
  QStringList answers;      // --answer VALUE, in order
  QString screenshot;       // --screenshot FILE.png
  int quitAfterMs = -1;     // --quit-after MS
  QSize size{1024, 768};    // --size WxH
};

// False with a message in *error for a malformed command line.
bool ParsePageOptions(const QStringList& arguments, PageOptions* options, QString* error);

extern const char kPageUsage[];

}  // namespace maltrove::host
