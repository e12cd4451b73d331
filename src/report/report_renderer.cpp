#include "report_renderer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>

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
  for (const char* cjk : {"SimSun", "NSimSun", "Noto Serif CJK SC", "Noto Sans CJK SC",
                          "WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "AR PL UMing CN"}) {
    if (families.contains(QString::fromLatin1(cjk))) {
      QFont::insertSubstitution(song, QString::fromLatin1(cjk));
      return;
    }
  }
}

void DrawReportPage(QPainter& painter, const ReportPage& page) {
  InstallReportFontFallbacks();
  const QFont fonts[] = {CellFont(ReportFont::Title), CellFont(ReportFont::Box),
                         CellFont(ReportFont::Heading), CellFont(ReportFont::Body)};
  QPen pen(Qt::black);
  pen.setWidthF(1.0);
  pen.setCosmetic(true);  // thin at every resolution
  painter.setPen(pen);
  for (const ReportItem& item : page.items) {
    if (item.kind == ReportItem::Kind::Line) {
      const ReportLine& l = item.line;
      painter.drawLine(QPointF(l.x1, l.d1), QPointF(l.x2, l.d2));
      continue;
    }
    const ReportText& t = item.text;
    if (t.text.empty()) continue;
    painter.setFont(fonts[static_cast<int>(t.font)]);
    // Long texts run on to the right, as on paper: no cut, no wrap.
    painter.drawText(QRectF(t.x, t.d, 2000, FontSpec(t.font).height),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine,
                     QString::fromUtf8(t.text.c_str()));
  }
}

void RenderReportPage(QPainter& painter, double dpi, const ReportPage& page) {
  painter.save();
  painter.scale(dpi / 100.0, dpi / 100.0);
  DrawReportPage(painter, page);
  painter.restore();
}

void RenderReportPageToFit(QPainter& painter, double dpi, const QSizeF& printable, const ReportPage& page) {
  const double scale = std::min({1.0, printable.width() / dpi * 100 / kReportWidth,
                                 printable.height() / dpi * 100 / kReportHeight});
  RenderReportPage(painter, dpi * scale, page);
}

}  // namespace kavir
