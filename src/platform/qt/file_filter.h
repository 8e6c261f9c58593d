// File-dialog filters written as "Name (*.a)|*.a|Other (*.b;*.c)|*.b;*.c||"
// turned into Qt's "Name (*.a);;Other (*.b *.c)".
#pragma once

#include <QString>
#include <string>

namespace maltrove::platform {

QString QtFileFilter(const std::string& filter);

// `path` with ".extension" added when its name has none.
QString WithDefaultExtension(const QString& path, const std::string& extension);

}  // namespace maltrove::platform
