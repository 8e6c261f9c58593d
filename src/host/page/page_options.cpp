#include "host/page/page_options.h"

namespace maltrove::host {

const char kPageUsage[] =
    "usage: maltrove-page PAGE [--answer VALUE]... [--screenshot FILE.png]\n"
    "                     [--quit-after MS] [--size WxH]\n"
    "Shows PAGE (a file or an http/https URL) with its <object> controls.\n";

namespace {

bool ParseSize(const QString& text, QSize* size) {
  const QStringList parts = text.split(QLatin1Char('x'));
  if (parts.size() != 2) return false;
  bool ok_w = false, ok_h = false;
  const int w = parts[0].toInt(&ok_w), h = parts[1].toInt(&ok_h);
  if (!ok_w || !ok_h || w <= 0 || h <= 0) return false;
  *size = QSize(w, h);
  return true;
}

}  // namespace

bool ParsePageOptions(const QStringList& arguments, PageOptions* options, QString* error) {
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    const bool has_value = i + 1 < arguments.size();
    if (arg == QLatin1String("--answer") && has_value) {
      options->answers.append(arguments[++i]);
    } else if (arg == QLatin1String("--screenshot") && has_value) {
      options->screenshot = arguments[++i];
    } else if (arg == QLatin1String("--quit-after") && has_value) {
      bool ok = false;
      options->quitAfterMs = arguments[++i].toInt(&ok);
      if (!ok || options->quitAfterMs < 0) {
        *error = QStringLiteral("--quit-after wants milliseconds");
        return false;
      }
    } else if (arg == QLatin1String("--size") && has_value) {
      if (!ParseSize(arguments[++i], &options->size)) {
        *error = QStringLiteral("--size wants WIDTHxHEIGHT");
        return false;
      }
    } else if (arg.startsWith(QLatin1String("--")) || !options->page.isEmpty()) {
      *error = QStringLiteral("unexpected argument '%1'").arg(arg);
      return false;
    } else {
      options->page = arg;
    }
  }
  if (options->page.isEmpty()) {
    *error = QStringLiteral("no page given");
    return false;
  }
  return true;
}

}  // namespace maltrove::host
