// The window TDrawingWindow: the measurement drawn to scale from the window
// model, redrawn after every calculation; the mouse wheel zooms about the
// pointer, a drag pans, two buttons fit the whole gear or the measured
// region, "Bild speichern" writes what the window shows as SVG or PNG.
#pragma once

#include <QDialog>
#include <QPointF>
#include <cstdint>

#include "ui/window_model.h"

class QLabel;

namespace silvarone::gui {

// The canvas: paints the drawing's visible region and moves it.
class DrawingCanvas : public QWidget {
  Q_OBJECT

 public:
  explicit DrawingCanvas(QWidget* parent = nullptr);

  void Show(DrawingView view, bool keepRegion);
  void ShowRegion(const DrawingBounds& region);
  const DrawingView& view() const { return view_; }
  // The region of the drawing (mm) the canvas shows, widened to its shape.
  DrawingBounds VisibleRegion() const;
  // Zooms by `factor` (above 1: closer) keeping the drawing's point under
  // `pixel` where it is.
  void Zoom(double factor, QPointF pixel);
  // Moves the drawing by a distance in pixels.
  void Pan(QPointF pixels);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  double Scale() const;

  DrawingView view_;
  DrawingBounds region_;
  QPointF dragFrom_;
};

class DrawingWindow : public QDialog {
  Q_OBJECT

 public:
  explicit DrawingWindow(WindowModel& model, QWidget* parent = nullptr);
  DrawingWindow(const DrawingWindow&) = delete;
  DrawingWindow& operator=(const DrawingWindow&) = delete;

  // The drawing and captions anew when the model changed since the last time.
  void Refresh();
  DrawingCanvas* canvas() const { return canvas_; }
  // "Bild speichern": a file dialog, then the picture of what the window shows.
  void SavePicture();

 private:
  WindowModel& model_;
  DrawingCanvas* canvas_;
  std::uint64_t shownRevision_ = 0;
  Language shownLanguage_ = kGerman;
  bool shownOnce_ = false;
};

}  // namespace silvarone::gui
