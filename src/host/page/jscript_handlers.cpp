#include "host/page/jscript_handlers.h"

#include <QRegularExpression>

namespace maltrove::host {

QString RewriteJScriptHandlers(const QString& html) {
  static const QRegularExpression declaration(
      QStringLiteral(R"(\bfunction\s+([A-Za-z_$][\w$]*)\s*::\s*([A-Za-z_$][\w$]*)\s*\()"));
  QString out;
  out.reserve(html.size());
  qsizetype done = 0;
  auto it = declaration.globalMatch(html);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    out += QStringView(html).mid(done, m.capturedStart() - done);
    out += QStringLiteral("function __maltrove_on$%1$%2(")
               .arg(m.captured(1), m.captured(2).toLower());
    done = m.capturedEnd();
  }
  out += QStringView(html).mid(done);
  return out;
}

}  // namespace maltrove::host
