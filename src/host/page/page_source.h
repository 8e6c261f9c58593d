// Reads the page the user opened, from a file or over http/https, as text
// ready to be shown (JScript handler declarations rewritten).
#pragma once

#include <QString>
#include <QUrl>

namespace maltrove::host {

struct PageSource {
  QUrl url;      // the page's address: the base of its relative references
  QString html;
};

// `given` is a path or an http/https URL. False with a message on failure.
bool LoadPageSource(const QString& given, PageSource* page, QString* error);

// A path or URL as the page's address.
QUrl PageAddress(const QString& given);

}  // namespace maltrove::host
