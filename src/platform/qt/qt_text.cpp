#include "platform/qt/qt_text.h"

#include <QTextLayout>
#include <algorithm>

#include "platform/qt/qt_fonts.h"

namespace maltrove::platform {

namespace {

QStringList Paragraphs(const QString& text, bool singleLine) {
  QString normal = text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (singleLine) return {normal.replace(QLatin1Char('\n'), QLatin1Char(' '))};
  return normal.split(QLatin1Char('\n'));
}

// Breaks one paragraph between words to fit `width`.
QStringList Wrap(const QString& paragraph, const QFont& font, int width) {
  if (paragraph.isEmpty()) return {QString()};
  QTextLayout layout(paragraph, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    QString piece = paragraph.mid(line.textStart(), line.textLength());
    while (piece.endsWith(QLatin1Char(' '))) piece.chop(1);
    lines.append(piece);
  }
  layout.endLayout();
  return lines;
}

int LineLeft(const QRect& rect, int lineWidth, int flags) {
  if (flags & kTextRight) return rect.left() + rect.width() - lineWidth;
  if (flags & kTextCenter) return rect.left() + (rect.width() - lineWidth) / 2;
  return rect.left();
}

}  // namespace

TextLayout LayOutText(const QString& text, const QFont& font, int flags, int width) {
  const QFontMetrics metrics(font);
  const bool wrap = (flags & kTextWordBreak) && !(flags & kTextSingleLine) && width > 0;
  TextLayout layout;
  for (const QString& paragraph : Paragraphs(text, flags & kTextSingleLine)) {
    layout.lines += wrap ? Wrap(paragraph, font, width) : QStringList{paragraph};
  }
  layout.lineHeight = metrics.height();
  layout.ascent = metrics.ascent();
  for (QString& line : layout.lines) {
    if ((flags & kTextEllipsis) && width > 0) {
      line = metrics.elidedText(line, Qt::ElideRight, width);
    }
    layout.size.width =
        std::max(layout.size.width, metrics.horizontalAdvance(line));
  }
  layout.size.height = layout.lineHeight * static_cast<int>(layout.lines.size());
  return layout;
}

void DrawTextLayout(QPainter& painter, const TextLayout& layout, const QFont& font,
                    const QRect& rect, int flags) {
  const QFontMetrics metrics(font);
  int top = rect.top();
  if (flags & kTextVCenter) top += (rect.height() - layout.size.height) / 2;
  painter.setFont(font);
  for (const QString& line : layout.lines) {
    const int left = LineLeft(rect, metrics.horizontalAdvance(line), flags);
    painter.drawText(QPoint(left, top + layout.ascent), line);
    top += layout.lineHeight;
  }
}

Size QtTextMeasurer::MeasureText(const std::string& text, const FontDescription& font, int flags,
                                 int wrapWidth) {
  return LayOutText(QString::fromStdString(text), FontFor(font), flags, wrapWidth).size;
}

}  // namespace maltrove::platform
