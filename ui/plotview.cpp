#include "ui/plotview.h"

#include <QGraphicsScene>
#include <QGraphicsSvgItem>
#include <QKeyEvent>
#include <QSvgRenderer>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr double kZoomStep = 1.25;

}  // namespace

TPlotView::TPlotView(QWidget* parent)
    : QGraphicsView(parent),
      scene_(new QGraphicsScene(this)),
      renderer_(new QSvgRenderer(this)),
      item_(new QGraphicsSvgItem()) {
  item_->setSharedRenderer(renderer_);
  scene_->addItem(item_);
  setScene(scene_);
  setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
  setDragMode(QGraphicsView::ScrollHandDrag);
  setBackgroundBrush(Qt::white);
  setFocusPolicy(Qt::StrongFocus);
}

void TPlotView::ShowSvg(const std::string& svg) {
  renderer_->load(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
  item_->setSharedRenderer(renderer_);  // takes the new document's size
  scene_->setSceneRect(item_->boundingRect());
  FitPlot();
}

void TPlotView::Zoom(double factor) {
  scale(factor, factor);
  fitted_ = false;
}

void TPlotView::FitPlot() {
  resetTransform();
  fitInView(item_, Qt::KeepAspectRatio);
  fitted_ = true;
}

void TPlotView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y();
  if (steps == 0) return QGraphicsView::wheelEvent(event);
  Zoom(std::pow(kZoomStep, steps / 120.0));
  event->accept();
}

void TPlotView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Plus: Zoom(kZoomStep); break;
    case Qt::Key_Minus: Zoom(1 / kZoomStep); break;
    case Qt::Key_0: FitPlot(); break;
    default: return QGraphicsView::keyPressEvent(event);
  }
  event->accept();
}

void TPlotView::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  if (fitted_) FitPlot();
}
