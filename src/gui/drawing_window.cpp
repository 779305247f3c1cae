#include "gui/drawing_window.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "gui/drawing_painter.h"
#include "gui/widgets.h"
#include "gui/window_texts.h"

namespace silvarone::gui {

DrawingCanvas::DrawingCanvas(QWidget* parent) : QWidget(parent) {
  setObjectName("DrawingCanvas");
  setMinimumSize(300, 300);
  setCursor(Qt::OpenHandCursor);
}

void DrawingCanvas::Show(DrawingView view, bool keepRegion) {
  view_ = std::move(view);
  if (!keepRegion) region_ = StartRegion(view_);
  update();
}

void DrawingCanvas::ShowRegion(const DrawingBounds& region) {
  region_ = region;
  update();
}

double DrawingCanvas::Scale() const {
  const double width = std::max(region_.right - region_.left, 1e-9);
  const double height = std::max(region_.top - region_.bottom, 1e-9);
  return std::min(std::max(this->width(), 1) / width, std::max(this->height(), 1) / height);
}

DrawingBounds DrawingCanvas::VisibleRegion() const {
  const double scale = Scale();
  const double midX = (region_.left + region_.right) / 2.0;
  const double midY = (region_.bottom + region_.top) / 2.0;
  const double halfWidth = width() / scale / 2.0;
  const double halfHeight = height() / scale / 2.0;
  return {midX - halfWidth, midY - halfHeight, midX + halfWidth, midY + halfHeight};
}

void DrawingCanvas::Zoom(double factor, QPointF pixel) {
  const DrawingBounds visible = VisibleRegion();
  const double scale = Scale();
  // The drawing's point under the pointer stays there.
  const double x = visible.left + pixel.x() / scale;
  const double y = visible.top - pixel.y() / scale;
  region_ = {x - (x - visible.left) / factor, y - (y - visible.bottom) / factor,
             x + (visible.right - x) / factor, y + (visible.top - y) / factor};
  update();
}

void DrawingCanvas::Pan(QPointF pixels) {
  const double scale = Scale();
  const double dx = pixels.x() / scale;
  const double dy = pixels.y() / scale;
  region_ = {region_.left - dx, region_.bottom + dy, region_.right - dx, region_.top + dy};
  update();
}

void DrawingCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintMeasurement(painter, view_, QRectF(rect()), region_);
}

void DrawingCanvas::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps != 0.0) Zoom(std::pow(1.25, steps), event->position());
  event->accept();
}

void DrawingCanvas::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = event->position();
  setCursor(Qt::ClosedHandCursor);
}

void DrawingCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) {
    setCursor(Qt::OpenHandCursor);
    return;
  }
  Pan(event->position() - dragFrom_);
  dragFrom_ = event->position();
}

DrawingWindow::DrawingWindow(WindowModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName("TDrawingWindow");
  setModal(false);
  canvas_ = new DrawingCanvas(this);
  auto* buttons = new QHBoxLayout;
  const auto button = [&](const char* name, auto action) {
    auto* b = new QPushButton(this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, action);
    buttons->addWidget(b);
  };
  button("FitGearButton", [this] { canvas_->ShowRegion(canvas_->view().drawing.gearBounds); });
  button("FitMeasuredButton",
         [this] { canvas_->ShowRegion(canvas_->view().drawing.measuredBounds); });
  button("SavePictureButton", [this] { SavePicture(); });
  buttons->addStretch(1);
  button("CloseButton", [this] { close(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(canvas_, 1);
  layout->addLayout(buttons);
  resize(760, 800);
  Refresh();
}

void DrawingWindow::Refresh() {
  ApplyTexts(this, DrawingWindowTexts(model_.language()));
  // Typing in a field changes nothing here: only a calculation or another
  // language draws anew.
  if (shownOnce_ && shownRevision_ == model_.drawingRevision() &&
      shownLanguage_ == model_.language())
    return;
  DrawingView view = model_.drawingView();
  // A new calculation of the same gear keeps where the user looked.
  const bool sameGear =
      shownOnce_ && view.drawing.valid && canvas_->view().drawing.valid &&
      view.drawing.referenceCircle.radius == canvas_->view().drawing.referenceCircle.radius;
  canvas_->Show(std::move(view), sameGear);
  shownRevision_ = model_.drawingRevision();
  shownLanguage_ = model_.language();
  shownOnce_ = true;
}

void DrawingWindow::SavePicture() {
  const std::optional<std::string> path = model_.ChooseDrawingPicture();
  if (!path) return;
  if (WriteDrawingPicture(canvas_->view(), canvas_->VisibleRegion(), *path) !=
      platform::WriteFailure::kNone) {
    model_.ReportOutputFailed(OutputFailure::kPictureNotWritten, *path);
  }
}

}  // namespace silvarone::gui
