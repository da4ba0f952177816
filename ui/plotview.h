#pragma once
// The analysis window's view of the residual plot.

#include <QGraphicsView>
#include <string>

class QGraphicsScene;
class QGraphicsSvgItem;
class QSvgRenderer;

/// The plot view: zooms with the mouse wheel and the keys + and - about the
/// point under the mouse; 0 fits the whole plot into the view.
class TPlotView : public QGraphicsView {
  Q_OBJECT
public:
  explicit TPlotView(QWidget* parent = nullptr);
  /// Shows the SVG document `svg` (UTF-8), fitted into the view.
  void ShowSvg(const std::string& svg);
  /// The renderer of the plot shown (for tests: what it holds).
  QSvgRenderer* Renderer() const { return renderer_; }
  /// Zooms by `factor` (> 1 enlarges).
  void Zoom(double factor);
  /// Fits the whole plot into the view.
  void FitPlot();

protected:
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  QGraphicsScene* scene_;
  QSvgRenderer* renderer_;
  QGraphicsSvgItem* item_;
  bool fitted_ = true;  // the plot is shown whole: resizing keeps it so
};
