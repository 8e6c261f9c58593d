#include "host/page/page_source.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTimer>

#include "host/page/jscript_handlers.h"

namespace maltrove::host {

namespace {

constexpr int kFetchTimeoutMs = 30000;

bool ReadFile(const QString& path, QByteArray* bytes, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
    return false;
  }
  *bytes = file.readAll();
  return true;
}

bool Fetch(const QUrl& url, QByteArray* bytes, QString* error) {
  QNetworkAccessManager network;
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::SameOriginRedirectPolicy);
  std::unique_ptr<QNetworkReply> reply(network.get(request));
  QEventLoop loop;
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(kFetchTimeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  if (!reply->isFinished() || reply->error() != QNetworkReply::NoError) {
    *error = QStringLiteral("cannot load %1: %2").arg(url.toString(), reply->errorString());
    return false;
  }
  *bytes = reply->readAll();
  return true;
}

// The encoding a <meta> or byte-order mark names, else UTF-8.
QString Decode(const QByteArray& bytes) {
  QStringDecoder decoder(QStringConverter::encodingForHtml(bytes).value_or(QStringConverter::Utf8));
  return decoder.decode(bytes);
}

}  // namespace

QUrl PageAddress(const QString& given) {
  const QUrl url(given);
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) return url;
  if (scheme == QLatin1String("file")) return url;
  return QUrl::fromLocalFile(QFileInfo(given).absoluteFilePath());
}

bool LoadPageSource(const QString& given, PageSource* page, QString* error) {
  page->url = PageAddress(given);
  QByteArray bytes;
  const bool ok = page->url.isLocalFile() ? ReadFile(page->url.toLocalFile(), &bytes, error)
                                          : Fetch(page->url, &bytes, error);
  if (!ok) return false;
  page->html = RewriteJScriptHandlers(Decode(bytes));
  return true;
}

}  // namespace maltrove::host
