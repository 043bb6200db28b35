#include "gui/windows/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <functional>

namespace tv::gui {
namespace {

using Drawer = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kBlue(40, 90, 170);
const QColor kPaper(250, 250, 250);
const QColor kFolder(225, 180, 70);

// A magnifying glass whose lens is centred at (6.5, 6.5).
void Lens(QPainter& p) {
  p.setPen(QPen(kInk, 1.4));
  p.setBrush(QColor(210, 230, 250));
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
  const QPointF n(-d.y(), d.x());
  QPainterPath head;
  head.moveTo(to);
  head.lineTo(to - d * 3 + n * 2);
  head.lineTo(to - d * 3 - n * 2);
  head.closeSubpath();
  p.fillPath(head, p.pen().color());
}

Drawer DrawerFor(const QString& key) {
  if (key == QLatin1String("btnPrint")) {
    return [](QPainter& p) {
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(170, 170, 170));
      p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 10.5, 7, 4));
      p.fillRect(QRectF(12, 8, 1.5, 1.5), QColor(60, 170, 60));
    };
  }
  if (key == QLatin1String("btnOpen")) {
    return [](QPainter& p) {
      p.setPen(QPen(kInk, 1));
      p.setBrush(kFolder.darker(115));
      p.drawPolygon(QPolygonF({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {13.5, 5}, {13.5, 13.5}, {1.5, 13.5}}));
      p.setBrush(kFolder);
      p.drawPolygon(QPolygonF({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}}));
    };
  }
  if (key == QLatin1String("btnZoomPrevious")) {
    return [](QPainter& p) {
      Lens(p);
      p.setPen(QPen(kBlue, 1.3));
      Arrow(p, QPointF(9, 6.5), QPointF(3.5, 6.5));
    };
  }
  if (key == QLatin1String("btnZoomExtents")) {
    return [](QPainter& p) {
      p.setPen(QPen(kBlue, 1.2));
      Arrow(p, QPointF(6, 6), QPointF(1.8, 1.8));
      Arrow(p, QPointF(10, 6), QPointF(14.2, 1.8));
      Arrow(p, QPointF(6, 10), QPointF(1.8, 14.2));
      Arrow(p, QPointF(10, 10), QPointF(14.2, 14.2));
      p.setPen(QPen(kInk, 1));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(5.5, 5.5, 5, 5));
    };
  }
  if (key == QLatin1String("btnKeyZoom")) {
    return [](QPainter& p) {
      p.setPen(QPen(kBlue, 1, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0.5, 0.5, 9, 9));
      Lens(p);
    };
  }
  if (key == QLatin1String("btnKeyStatzoom")) {
    return [](QPainter& p) {
      Lens(p);
      p.setPen(QPen(kBlue, 1.5));
      p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
      p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
    };
  }
  if (key == QLatin1String("btnPan")) {
    return [](QPainter& p) {
      p.setPen(QPen(kBlue, 1.3));
      Arrow(p, QPointF(8, 8), QPointF(8, 1.5));
      Arrow(p, QPointF(8, 8), QPointF(8, 14.5));
      Arrow(p, QPointF(8, 8), QPointF(1.5, 8));
      Arrow(p, QPointF(8, 8), QPointF(14.5, 8));
    };
  }
  if (key == QLatin1String("btnLayers")) {
    return [](QPainter& p) {
      p.setPen(QPen(kInk, 1));
      const QColor fills[] = {QColor(120, 170, 230), QColor(150, 210, 150), QColor(240, 200, 120)};
      for (int i = 0; i < 3; ++i) {
        const double y = 10.5 - 3.5 * i;
        p.setBrush(fills[i]);
        p.drawPolygon(QPolygonF({{1.5, y}, {8, y - 3}, {14.5, y}, {8, y + 3}}));
      }
    };
  }
  if (key == QLatin1String("btnHelp")) {
    return [](QPainter& p) {
      p.setPen(QPen(kBlue.darker(110), 1));
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
      QFont font = p.font();
      font.setBold(true);
      font.setPixelSize(11);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
    };
  }
  return {};
}

QPixmap Render(const Drawer& draw, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 16.0, size / 16.0);
  draw(painter);
  return pixmap;
}

}  // namespace

QIcon ToolbarIcon(const QString& key) {
  const Drawer draw = DrawerFor(key);
  if (!draw) return {};
  QIcon icon;
  for (const int size : {16, 24, 32}) icon.addPixmap(Render(draw, size));
  return icon;
}

}  // namespace tv::gui
