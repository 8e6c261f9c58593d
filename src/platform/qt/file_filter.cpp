#include "platform/qt/file_filter.h"

#include <QFileInfo>
#include <QStringList>

namespace maltrove::platform {

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString name = parts[i].trimmed();
    const QString patterns = parts[i + 1].trimmed();
    if (name.isEmpty() || patterns.isEmpty()) continue;
    // The name already shows the patterns; Qt reads the ones in brackets.
    QString label = name;
    const int open = label.indexOf(QLatin1Char('('));
    if (open >= 0) label = label.left(open).trimmed();
    QString joined = patterns;
    joined.replace(QLatin1Char(';'), QLatin1Char(' '));
    entries << QStringLiteral("%1 (%2)").arg(label, joined);
  }
  return entries.join(QStringLiteral(";;"));
}

QString WithDefaultExtension(const QString& path, const std::string& extension) {
  if (path.isEmpty() || extension.empty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + QString::fromStdString(extension);
}

}  // namespace maltrove::platform
