#include "platform/qt/qt_fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <functional>
#include <unordered_map>

namespace maltrove::platform {

namespace {

constexpr int kDefaultDpi = 96;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;

struct FontDescriptionHash {
  size_t operator()(const FontDescription& wanted) const {
    size_t h = std::hash<std::string>()(wanted.faces);
    h = h * 31 + static_cast<size_t>(wanted.pointSize);
    return h * 4 + (wanted.italic ? 2 : 0) + (wanted.bold ? 1 : 0);
  }
};

// The fixed-width ("체") faces prefer the coding font when it is there.
QString FixedFace() {
  const QString coding = QStringLiteral("NanumGothicCoding");
  return QFontDatabase::hasFamily(coding) ? coding : QStringLiteral("NanumGothic");
}

}  // namespace

int PointsToPixels(int points, int dpi) {
  const long long product = static_cast<long long>(points) * dpi;
  return static_cast<int>(product >= 0 ? (product + 36) / 72 : (product - 36) / 72);
}

int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return kDefaultDpi;
  const int dpi = qRound(screen->logicalDotsPerInchY());
  return dpi > 0 ? dpi : kDefaultDpi;
}

QString FirstFace(const std::string& faces) {
  const QStringList names = QString::fromStdString(faces).split(QLatin1Char(','));
  for (const QString& name : names) {
    const QString face = name.trimmed();
    if (!face.isEmpty()) return face;
  }
  return {};
}

void InstallFontSubstitutions() {
  static const bool installed = [] {
    const QStringList gothic{QStringLiteral("NanumGothic")};
    const QStringList fixed{FixedFace(), QStringLiteral("NanumGothic")};
    for (const char* face : {"돋움", "굴림", "Dotum", "Gulim"}) {
      QFont::insertSubstitutions(QString::fromUtf8(face), gothic);
    }
    for (const char* face : {"돋움체", "굴림체", "DotumChe", "GulimChe"}) {
      QFont::insertSubstitutions(QString::fromUtf8(face), fixed);
    }
    return true;
  }();
  (void)installed;
}

QFont MakeFont(const FontDescription& wanted, int dpi) {
  InstallFontSubstitutions();
  QFont font;
  const QString face = FirstFace(wanted.faces);
  if (!face.isEmpty()) font.setFamilies({face});
  font.setPixelSize(std::max(1, PointsToPixels(wanted.pointSize, dpi)));
  font.setWeight(static_cast<QFont::Weight>(wanted.bold ? kBoldWeight : kNormalWeight));
  font.setItalic(wanted.italic);
  return font;
}

const QFont& FontFor(const FontDescription& wanted) {
  static std::unordered_map<FontDescription, QFont, FontDescriptionHash> cache;
  auto it = cache.find(wanted);
  if (it == cache.end()) it = cache.emplace(wanted, MakeFont(wanted, ScreenDpi())).first;
  return it->second;
}

FontDescription DescriptionOf(const QFont& font, int dpi) {
  FontDescription described;
  described.faces = font.family().toStdString();
  if (font.pointSize() > 0) {
    described.pointSize = font.pointSize();
  } else if (font.pixelSize() > 0) {
    described.pointSize = (font.pixelSize() * 72 + dpi / 2) / dpi;
  }
  described.italic = font.italic();
  described.bold = font.weight() >= QFont::DemiBold;
  return described;
}

}  // namespace maltrove::platform
