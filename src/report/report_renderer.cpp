#include "report_renderer.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>

namespace kavir {
namespace {

// A font whose character cell (ascent + descent) is `height` units tall, as
// the report's font heights are meant.
QFont CellFont(ReportFont which) {
  const ReportFontSpec spec = FontSpec(which);
  QFont font(QString::fromUtf8(spec.face));
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(spec.height);
  const double cell = QFontMetricsF(font).height();
  if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(spec.height * spec.height / cell)));
  return font;
}

}  // namespace

void InstallReportFontFallbacks() {
  static bool done = false;
  if (done) return;
  done = true;
  const QStringList families = QFontDatabase::families();
  const QString song = QString::fromUtf8("宋体");
  if (families.contains(song)) return;
  for (const char* cjk : {"SimSun", "NSimSun", "Noto Serif CJK SC", "Noto Sans CJK SC", "WenQuanYi Micro Hei",
                          "WenQuanYi Zen Hei", "AR PL UMing CN"}) {
    if (families.contains(QString::fromLatin1(cjk))) {
      QFont::insertSubstitution(song, QString::fromLatin1(cjk));
      return;
    }
  }
}

ReportScale ScaleAt(double dpi) { return {dpi / 100.0, dpi / 100.0}; }

ReportScale ScaleToFill(const QSizeF& printable) {
  return {printable.width() / kReportPageWidth, printable.height() / kReportPageHeight};
}

void DrawReportPage(QPainter& painter, const ReportScale& scale, const ReportPage& page) {
  InstallReportFontFallbacks();
  QFont fonts[] = {CellFont(ReportFont::Title), CellFont(ReportFont::Box), CellFont(ReportFont::Heading),
                   CellFont(ReportFont::Body)};
  painter.save();
  QPen pen(Qt::black);
  pen.setWidthF(1.0);
  pen.setCosmetic(true);  // thin at every resolution
  painter.setPen(pen);
  for (const ReportItem& item : page.items) {
    if (item.kind == ReportItem::Kind::Line) {
      const ReportLine& l = item.line;
      painter.drawLine(QPointF(l.x1 * scale.x, l.d1 * scale.y), QPointF(l.x2 * scale.x, l.d2 * scale.y));
      continue;
    }
    const ReportText& t = item.text;
    if (t.text.empty()) continue;
    // Fonts are drawn in layout units scaled alike both ways, never stretched.
    painter.save();
    painter.translate(t.x * scale.x, t.d * scale.y);
    painter.scale(scale.font(), scale.font());
    painter.setFont(fonts[static_cast<int>(t.font)]);
    QString text = QString::fromUtf8(t.text.c_str());
    const double room = t.room > 0 ? t.room * scale.x / scale.font() : 1e9;
    const double width = painter.fontMetrics().horizontalAdvance(text);
    // A little narrower reads well; much narrower would not, so the rest is elided.
    constexpr double kNarrowest = 0.6;
    double squeeze = width > room ? room / width : 1.0;
    if (squeeze < kNarrowest) {
      text = painter.fontMetrics().elidedText(text, Qt::ElideMiddle, static_cast<int>(room / kNarrowest));
      squeeze = kNarrowest;
    }
    painter.scale(squeeze, 1.0);
    painter.drawText(QRectF(0, 0, 4000, FontSpec(t.font).height),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, text);
    painter.restore();
  }
  painter.restore();
}

void RenderReportPage(QPainter& painter, double dpi, const ReportPage& page) {
  DrawReportPage(painter, ScaleAt(dpi), page);
}

void RenderReportPageToFill(QPainter& painter, const QSizeF& printable, const ReportPage& page) {
  DrawReportPage(painter, ScaleToFill(printable), page);
}

}  // namespace kavir
