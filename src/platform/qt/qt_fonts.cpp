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

struct SpecHash {
  size_t operator()(const FontSpec& spec) const {
    size_t h = std::hash<std::string>()(spec.faces);
    h = h * 31 + static_cast<size_t>(spec.pointSize);
    return h * 4 + (spec.italic ? 2 : 0) + (spec.bold ? 1 : 0);
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

QFont MakeFont(const FontSpec& spec, int dpi) {
  InstallFontSubstitutions();
  QFont font;
  const QString face = FirstFace(spec.faces);
  if (!face.isEmpty()) font.setFamilies({face});
  font.setPixelSize(std::max(1, PointsToPixels(spec.pointSize, dpi)));
  font.setWeight(static_cast<QFont::Weight>(spec.bold ? kBoldWeight : kNormalWeight));
  font.setItalic(spec.italic);
  return font;
}

const QFont& FontFor(const FontSpec& spec) {
  static std::unordered_map<FontSpec, QFont, SpecHash> cache;
  auto it = cache.find(spec);
  if (it == cache.end()) it = cache.emplace(spec, MakeFont(spec, ScreenDpi())).first;
  return it->second;
}

FontSpec SpecOf(const QFont& font, int dpi) {
  FontSpec spec;
  spec.faces = font.family().toStdString();
  if (font.pointSize() > 0) {
    spec.pointSize = font.pointSize();
  } else if (font.pixelSize() > 0) {
    spec.pointSize = (font.pixelSize() * 72 + dpi / 2) / dpi;
  }
  spec.italic = font.italic();
  spec.bold = font.weight() >= QFont::DemiBold;
  return spec;
}

}  // namespace maltrove::platform
