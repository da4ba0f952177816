#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

QIcon Draw(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  paint(p);
  return QIcon(pixmap);
}

}  // namespace

QIcon CalculatorIcon() {
  return Draw([](QPainter& p) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(200, 200, 190));
    p.drawRect(2, 0, 11, 15);
    p.setBrush(QColor(150, 200, 150));  // the display
    p.drawRect(4, 2, 7, 3);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 3; ++col) {
        p.setBrush(row == 2 && col == 2 ? QColor(200, 60, 40) : QColor(60, 60, 60));
        p.drawRect(4 + col * 3, 7 + row * 3, 2, 2);
      }
  });
}

QIcon TexturedSurfaceIcon() {
  return Draw([](QPainter& p) {
    // A surface in perspective with a checkered texture and its mesh lines.
    const QPointF a(1, 11), b(9, 15), c(15, 7), d(7, 3);
    auto at = [&](double u, double v) {
      return a + (b - a) * u + (d - a) * v + (c - b - d + a) * u * v;
    };
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        QPainterPath cell;
        cell.moveTo(at(i / 4.0, j / 4.0));
        cell.lineTo(at((i + 1) / 4.0, j / 4.0));
        cell.lineTo(at((i + 1) / 4.0, (j + 1) / 4.0));
        cell.lineTo(at(i / 4.0, (j + 1) / 4.0));
        cell.closeSubpath();
        p.fillPath(cell, (i + j) % 2 ? QColor(210, 150, 60) : QColor(120, 170, 80));
      }
    p.setPen(QColor(60, 40, 20));
    p.drawPolygon(QPolygonF({a, b, c, d}));
  });
}

QIcon PrinterIcon() {
  return Draw([](QPainter& p) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);  // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(1, 6, 14, 6);  // the body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);  // paper coming out
    p.setPen(QColor(90, 90, 90));
    p.drawLine(5, 12, 10, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 60));
    p.drawRect(12, 7, 2, 1);
  });
}

QIcon QuestionMarkIcon() {
  return Draw([](QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 200));
    p.drawEllipse(0, 0, 16, 16);
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, "?");
  });
}

QIcon AnalysisIcon() {
  return Draw([](QPainter& p) {
    // A plan with three control points and their residual vectors, the
    // flagged one in red.
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 15, 15);
    p.setPen(QColor(200, 200, 200));
    p.drawLine(1, 8, 14, 8);
    p.drawLine(8, 1, 8, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 30));
    p.drawRect(3, 3, 2, 2);
    p.drawRect(11, 10, 2, 2);
    p.setBrush(QColor(210, 30, 30));
    p.drawRect(4, 11, 2, 2);
    p.setPen(QColor(40, 90, 200));
    p.drawLine(5, 4, 7, 2);
    p.drawLine(12, 11, 14, 12);
    p.setPen(QColor(210, 30, 30));
    p.drawLine(6, 12, 10, 13);
    p.drawLine(5, 11, 9, 9);
  });
}
