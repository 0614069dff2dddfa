#include "shared/forms/ToolbarGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

void DrawPage(QPainter& p, const QRectF& r) {
  const qreal fold = r.width() * 0.3;
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void DrawDisk(QPainter& p, const QRectF& r) {
  p.setBrush(QColor(40, 90, 170));
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(r.left() + 3, r.top() + 1, r.width() - 6, r.height() * 0.4));
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(r.left() + 4.5, r.bottom() - r.height() * 0.35, r.width() - 9, r.height() * 0.35));
}

void DrawGlobe(QPainter& p, const QRectF& r) {
  p.setBrush(QColor(120, 180, 230));
  p.drawEllipse(r);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(r.adjusted(r.width() * 0.28, 0, -r.width() * 0.28, 0));
  p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

}  // namespace

QIcon MakeGlyph(TavrelGlyph g) {
  const int size = 22;
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(QColor(40, 40, 40));
  pen.setWidthF(1.2);
  p.setPen(pen);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(10);
  p.setFont(f);
  switch (g) {
    case TavrelGlyph::New:
      DrawPage(p, QRectF(5, 2.5, 12, 17));
      break;
    case TavrelGlyph::Open:
      p.setBrush(QColor(220, 180, 60));
      p.drawRect(QRectF(2.5, 6.5, 17, 12));
      p.drawRect(QRectF(2.5, 4.5, 7, 2));
      p.setBrush(QColor(245, 215, 110));
      p.drawPolygon(QPolygonF({QPointF(5, 10), QPointF(21, 10), QPointF(19.5, 18.5), QPointF(2.5, 18.5)}));
      break;
    case TavrelGlyph::Save:
      DrawDisk(p, QRectF(3.5, 3.5, 15, 15));
      break;
    case TavrelGlyph::SaveAs:
      DrawDisk(p, QRectF(2.5, 2.5, 13, 13));
      pen.setColor(QColor(160, 60, 20));
      pen.setWidthF(2.2);
      p.setPen(pen);
      p.drawLine(QPointF(11, 20), QPointF(20, 11));
      break;
    case TavrelGlyph::Cut:
      p.setBrush(Qt::NoBrush);
      p.drawLine(QPointF(7, 3), QPointF(14.5, 14));
      p.drawLine(QPointF(15, 3), QPointF(7.5, 14));
      p.setBrush(QColor(200, 40, 40));
      p.drawEllipse(QRectF(3.5, 13.5, 5.5, 5.5));
      p.drawEllipse(QRectF(13, 13.5, 5.5, 5.5));
      break;
    case TavrelGlyph::Copy:
      DrawPage(p, QRectF(3, 2.5, 10, 13));
      DrawPage(p, QRectF(9, 6.5, 10, 13));
      break;
    case TavrelGlyph::Paste:
      p.setBrush(QColor(170, 120, 60));
      p.drawRoundedRect(QRectF(3.5, 4.5, 13, 15), 1.5, 1.5);
      p.setBrush(QColor(190, 190, 190));
      p.drawRect(QRectF(7, 2.5, 6, 3));
      DrawPage(p, QRectF(10, 8.5, 9, 11));
      break;
    case TavrelGlyph::Undo: {
      pen.setWidthF(2);
      pen.setColor(QColor(30, 90, 160));
      p.setPen(pen);
      p.setBrush(Qt::NoBrush);
      QPainterPath arc;
      arc.moveTo(6, 9);
      arc.cubicTo(12, 4, 20, 7, 18, 14);
      arc.cubicTo(17, 17, 14, 18, 11, 18);
      p.drawPath(arc);
      p.setBrush(QColor(30, 90, 160));
      p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(8.5, 4.5), QPointF(8.5, 12)}));
      break;
    }
    case TavrelGlyph::Reading:
      p.setBrush(Qt::white);
      p.drawPolygon(QPolygonF({QPointF(11, 6), QPointF(2.5, 4), QPointF(2.5, 17), QPointF(11, 19)}));
      p.drawPolygon(QPolygonF({QPointF(11, 6), QPointF(19.5, 4), QPointF(19.5, 17), QPointF(11, 19)}));
      p.drawLine(QPointF(5, 8), QPointF(9, 9));
      p.drawLine(QPointF(5, 11), QPointF(9, 12));
      p.drawLine(QPointF(13, 9), QPointF(17, 8));
      p.drawLine(QPointF(13, 12), QPointF(17, 11));
      break;
    case TavrelGlyph::Config:
      for (int i = 0; i < 3; ++i) {
        const qreal y = 5.5 + i * 5.5;
        p.drawLine(QPointF(3, y), QPointF(19, y));
        p.setBrush(QColor(90, 140, 60));
        const qreal x = (i == 1) ? 13 : (i == 0 ? 7 : 10);
        p.drawRect(QRectF(x - 2, y - 2.5, 4, 5));
      }
      break;
    case TavrelGlyph::Web:
      DrawGlobe(p, QRectF(3, 3, 16, 16));
      break;
    case TavrelGlyph::DHTML:
      DrawPage(p, QRectF(3.5, 2.5, 13, 17));
      p.setPen(QColor(150, 30, 120));
      p.drawText(QRectF(3.5, 6, 13, 13), Qt::AlignCenter, "D");
      break;
    case TavrelGlyph::Help:
      p.setBrush(QColor(40, 110, 200));
      p.drawEllipse(QRectF(2.5, 2.5, 17, 17));
      p.setPen(Qt::white);
      f.setPixelSize(13);
      p.setFont(f);
      p.drawText(QRectF(2.5, 2.5, 17, 17), Qt::AlignCenter, "?");
      break;
    case TavrelGlyph::Quit:
      p.setBrush(QColor(150, 100, 60));
      p.drawRect(QRectF(4.5, 2.5, 11, 17));
      p.setBrush(QColor(240, 210, 80));
      p.drawEllipse(QRectF(12, 10, 2.5, 2.5));
      pen.setColor(QColor(200, 30, 30));
      pen.setWidthF(2);
      p.setPen(pen);
      p.drawLine(QPointF(15, 8), QPointF(20.5, 13.5));
      p.drawLine(QPointF(20.5, 8), QPointF(15, 13.5));
      break;
  }
  return QIcon(pm);
}

