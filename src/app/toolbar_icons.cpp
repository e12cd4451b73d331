#include "toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kavir::app {
namespace {

constexpr int kW = 55;
constexpr int kH = 23;

// A small radio with its antenna, centred at x, used by read and write.
void DrawRadio(QPainter& p, int x) {
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(QColor(70, 90, 120));
  p.drawRoundedRect(QRectF(x - 5, 6, 10, 15), 2, 2);
  p.drawLine(QPointF(x + 3, 6), QPointF(x + 3, 1));
  p.setBrush(QColor(180, 220, 180));
  p.drawRect(QRectF(x - 3, 8, 6, 4));
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, QColor colour) {
  p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::max(1.0, std::hypot(d.x(), d.y()));
  const QPointF u(d.x() / len, d.y() / len);
  const QPointF n(-u.y(), u.x());
  QPainterPath head;
  head.moveTo(to + u * 2);
  head.lineTo(to - u * 4 + n * 4);
  head.lineTo(to - u * 4 - n * 4);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(head);
}

void DrawChannelBars(QPainter& p, bool open) {
  for (int i = 0; i < 4; ++i) {
    const QRectF box(14 + i * 7, 6, 6, 11);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(open ? QColor(90, 170, 90) : QColor(200, 200, 200));
    p.drawRect(box);
  }
  if (!open) {
    p.setPen(QPen(QColor(200, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 4), QPointF(43, 19));
    p.drawLine(QPointF(43, 4), QPointF(12, 19));
  } else {
    p.setPen(QPen(QColor(20, 110, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(36, 12), QPointF(40, 17));
    p.drawLine(QPointF(40, 17), QPointF(47, 4));
  }
}

void Paint(QPainter& p, ToolIcon which) {
  p.setRenderHint(QPainter::Antialiasing);
  switch (which) {
    case ToolIcon::Open: {
      p.setPen(QPen(QColor(120, 90, 20), 1));
      p.setBrush(QColor(240, 200, 90));
      p.drawRect(QRectF(16, 6, 22, 14));
      p.drawRect(QRectF(16, 4, 9, 3));
      p.setBrush(QColor(250, 225, 130));
      QPolygonF flap{QPointF(19, 10), QPointF(41, 10), QPointF(38, 20), QPointF(16, 20)};
      p.drawPolygon(flap);
      break;
    }
    case ToolIcon::Save:
    case ToolIcon::SaveAs: {
      p.setPen(QPen(QColor(30, 40, 90), 1));
      p.setBrush(QColor(60, 90, 170));
      p.drawRect(QRectF(18, 3, 18, 18));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(21, 3, 12, 7));
      p.setBrush(QColor(200, 200, 210));
      p.drawRect(QRectF(21, 13, 12, 8));
      if (which == ToolIcon::Save) break;
      p.setPen(QPen(QColor(200, 120, 20), 2));
      p.drawLine(QPointF(38, 20), QPointF(44, 12));
      break;
    }
    case ToolIcon::Read:
      DrawRadio(p, 17);
      DrawArrow(p, QPointF(25, 12), QPointF(38, 12), QColor(30, 120, 200));
      p.setPen(QPen(QColor(90, 90, 90), 1));
      p.setBrush(QColor(245, 245, 245));
      p.drawRect(QRectF(41, 5, 9, 13));
      break;
    case ToolIcon::Write:
      p.setPen(QPen(QColor(90, 90, 90), 1));
      p.setBrush(QColor(245, 245, 245));
      p.drawRect(QRectF(6, 5, 9, 13));
      DrawArrow(p, QPointF(18, 12), QPointF(31, 12), QColor(210, 90, 30));
      DrawRadio(p, 40);
      break;
    case ToolIcon::CloseAll:
      DrawChannelBars(p, false);
      break;
    case ToolIcon::OpenAll:
      DrawChannelBars(p, true);
      break;
    case ToolIcon::Print:
      p.setPen(QPen(QColor(50, 50, 50), 1));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(20, 2, 14, 8));
      p.setBrush(QColor(150, 150, 160));
      p.drawRoundedRect(QRectF(15, 9, 24, 9), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(19, 15, 16, 6));
      break;
    case ToolIcon::About:
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 100, 190));
      p.drawEllipse(QPointF(27.5, 11.5), 9, 9);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(27.5, 6.5), 1.6, 1.6);
      p.drawRect(QRectF(26.3, 9.5, 2.4, 7.5));
      break;
  }
}

}  // namespace

QIcon DrawToolIcon(ToolIcon which) {
  QPixmap pm(kW, kH);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  Paint(p, which);
  p.end();
  return QIcon(pm);
}

QIcon DrawAppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(30, 30, 30), 1.2));
    p.setBrush(QColor(40, 70, 120));
    p.drawRoundedRect(QRectF(9, 9, 14, 22), 3, 3);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(QRectF(18, 1, 3, 9));
    p.setBrush(QColor(170, 230, 170));
    p.drawRect(QRectF(11.5, 12, 9, 6));
    p.setBrush(QColor(200, 200, 200));
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(13 + i * 3, 24), 1.1, 1.1);
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace kavir::app
