#include "gui/drawing_painter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgGenerator>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "gui/widgets.h"
#include "platform/file_system.h"

namespace silvarone::gui {
namespace {

constexpr int kPictureSide = 1200;  // pixels of a saved picture
const QColor kMeasuring{20, 60, 170};
const QColor kFailed{220, 0, 0};
const QColor kUsable{0, 150, 70};
const QColor kCircles{130, 130, 130};

QPointF At(DrawPoint p) {
  return {p.x, p.y};
}

QPen Pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
  QPen pen(colour, width, style);
  pen.setCosmetic(true);  // pixels, not millimetres
  return pen;
}

// Millimetres (y upwards) to the target's pixels, `region` centred in it.
QTransform WorldToTarget(const QRectF& target, const DrawingBounds& region) {
  const double width = std::max(region.right - region.left, 1e-9);
  const double height = std::max(region.top - region.bottom, 1e-9);
  const double scale = std::min(target.width() / width, target.height() / height);
  const QPointF centre = target.center();
  const double midX = (region.left + region.right) / 2.0;
  const double midY = (region.bottom + region.top) / 2.0;
  return QTransform(scale, 0.0, 0.0, -scale, centre.x() - scale * midX, centre.y() + scale * midY);
}

void PaintCircle(QPainter& p, const DrawCircle& c) {
  p.drawEllipse(At(c.centre), c.radius, c.radius);
}

void PaintGear(QPainter& p, const MeasurementDrawing& m) {
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(kCircles, 1.0, Qt::DashLine));
  PaintCircle(p, m.tipCircle);
  PaintCircle(p, m.rootCircle);
  p.setPen(Pen(kCircles, 1.0, Qt::DashDotLine));
  PaintCircle(p, m.referenceCircle);
  p.setPen(Pen(kCircles, 1.0, Qt::DotLine));
  PaintCircle(p, m.baseCircle);
  QPolygonF outline;
  for (const DrawPoint& point : m.outline)
    outline << At(point);
  // The material: inside the outline of an external gear, between the
  // outline and a rim a tooth depth outside the root of an internal one.
  QPainterPath material;
  material.setFillRule(Qt::OddEvenFill);
  material.addPolygon(outline);
  material.closeSubpath();
  if (m.internal) {
    const double rim = m.rootCircle.radius + (m.rootCircle.radius - m.tipCircle.radius);
    material.addEllipse(QPointF(0.0, 0.0), rim, rim);
  }
  p.setPen(Pen(Qt::black, 1.2));
  p.setBrush(QColor(235, 235, 235));
  p.drawPath(material);
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(kUsable, 3.0));
  for (const auto& flank : m.usableFlanks) {
    QPolygonF line;
    for (const DrawPoint& point : flank)
      line << At(point);
    p.drawPolyline(line);
  }
}

// A contact as a dot of a few pixels, red when it is off the usable flank.
void PaintContact(QPainter& p, const QTransform& toTarget, const DrawContact& c) {
  p.setPen(Pen(c.failed ? kFailed : kMeasuring, 1.0));
  p.setBrush(c.failed ? kFailed : kMeasuring);
  p.drawEllipse(toTarget.map(At(c.point)), c.failed ? 5.0 : 3.5, c.failed ? 5.0 : 3.5);
}

void PaintBall(QPainter& p, const DrawBall& b, bool inSection) {
  p.setBrush(b.failed ? QColor(255, 200, 200, 160) : QColor(190, 205, 240, 160));
  p.setPen(Pen(b.failed ? kFailed : kMeasuring, b.failed ? 2.5 : 1.5,
               inSection ? Qt::SolidLine : Qt::DashLine));
  PaintCircle(p, b.circle);
}

void PaintMeasuringElements(QPainter& p, const MeasurementDrawing& m) {
  for (const DrawAnvil& a : m.anvils) {
    if (a.from.x == a.to.x && a.from.y == a.to.y) continue;
    p.setPen(Pen(a.failed ? kFailed : kMeasuring, a.failed ? 3.0 : 2.5));
    p.drawLine(At(a.from), At(a.to));
  }
  for (const DrawBall& b : m.balls)
    if (b.circle.radius > 0.0) PaintBall(p, b, true);
  for (std::size_t i = 0; i < m.instrumentBalls.size(); ++i)
    PaintBall(p, m.instrumentBalls[i], i == 0 || !m.helical);
}

// An arrowhead of fixed pixel size at `tip`, pointing away from `from`.
void Arrow(QPainter& p, QPointF from, QPointF tip) {
  const QPointF d = tip - from;
  const double length = std::hypot(d.x(), d.y());
  if (length < 1e-9) return;
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  const double size = 9.0;
  p.drawPolygon(QPolygonF{tip, tip - size * u + 0.35 * size * n, tip - size * u - 0.35 * size * n});
}

// A dimension in pixels: extension lines, the line with two arrowheads, the
// text upright beside its middle.
void PaintDimension(QPainter& p, const QTransform& toTarget, const DrawDimension& d,
                    const std::string& label) {
  if (label.empty()) return;
  const QPointF a = toTarget.map(At(d.from));
  const QPointF b = toTarget.map(At(d.to));
  p.setPen(Pen(Qt::black, 0.8));
  p.drawLine(toTarget.map(At(d.extensionFrom)), a);
  p.drawLine(toTarget.map(At(d.extensionTo)), b);
  p.setPen(Pen(Qt::black, 1.2));
  p.drawLine(a, b);
  p.setBrush(Qt::black);
  Arrow(p, b, a);
  Arrow(p, a, b);
  const QString text = ToQString(label);
  const QFontMetricsF metrics(p.font());
  const QRectF box = metrics.boundingRect(text);
  QPointF middle = (a + b) / 2.0;
  // Beside the line, on the side away from the gear's axis.
  const QPointF axis = toTarget.map(QPointF(0.0, 0.0));
  const QPointF away = middle - axis;
  const double awayLength = std::hypot(away.x(), away.y());
  if (awayLength > 1e-9) middle += away / awayLength * (box.height() * 0.9);
  const QRectF place(middle.x() - box.width() / 2.0 - 3.0, middle.y() - box.height() / 2.0 - 1.0,
                     box.width() + 6.0, box.height() + 2.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawRect(place);
  p.setPen(Qt::black);
  p.drawText(place, Qt::AlignCenter, text);
}

void PaintNote(QPainter& p, const QRectF& target, const DrawingView& view) {
  if (view.note.empty()) return;
  p.setPen(view.drawing.valid ? kFailed : QColor(Qt::black));
  p.drawText(target.adjusted(6.0, 6.0, -6.0, -6.0),
             Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap, ToQString(view.note));
}

}  // namespace

DrawingBounds StartRegion(const DrawingView& view) {
  return view.startOnMeasuredRegion ? view.drawing.measuredBounds : view.drawing.gearBounds;
}

void PaintMeasurement(QPainter& painter, const DrawingView& view, const QRectF& target,
                      const DrawingBounds& region) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(target, Qt::white);
  painter.setClipRect(target);
  const MeasurementDrawing& m = view.drawing;
  if (m.valid) {
    const QTransform toTarget = WorldToTarget(target.adjusted(10, 10, -10, -30), region);
    painter.setWorldTransform(toTarget);
    PaintGear(painter, m);
    PaintMeasuringElements(painter, m);
    painter.resetTransform();
    // A span or a ball dimension that is not drawn has no contacts either.
    const bool hasSpan =
        m.anvils[0].from.x != m.anvils[0].to.x || m.anvils[0].from.y != m.anvils[0].to.y;
    if (hasSpan) {
      for (const DrawContact& c : m.spanContacts)
        PaintContact(painter, toTarget, c);
    }
    if (m.balls[0].circle.radius > 0.0) {
      for (const DrawContact& c : m.ballContacts)
        PaintContact(painter, toTarget, c);
    }
    for (const DrawContact& c : m.instrumentContacts)
      PaintContact(painter, toTarget, c);
    PaintDimension(painter, toTarget, m.span, view.spanLabel);
    PaintDimension(painter, toTarget, m.ballDimension, view.ballLabel);
    PaintDimension(painter, toTarget, m.checkDimension, view.checkLabel);
  }
  PaintNote(painter, target, view);
  painter.restore();
}

QByteArray DrawingSvg(const DrawingView& view, const DrawingBounds& region) {
  QByteArray svg;
  QBuffer buffer(&svg);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(kPictureSide, kPictureSide));
  generator.setViewBox(QRect(0, 0, kPictureSide, kPictureSide));
  generator.setTitle(ToQString(view.title));
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  PaintMeasurement(painter, view, QRectF(0, 0, kPictureSide, kPictureSide), region);
  painter.end();
  return svg;
}

QByteArray DrawingPng(const DrawingView& view, const DrawingBounds& region) {
  QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintMeasurement(painter, view, QRectF(0, 0, kPictureSide, kPictureSide), region);
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return png;
}

platform::WriteFailure WriteDrawingPicture(const DrawingView& view, const DrawingBounds& region,
                                           const std::string& path) {
  QByteArray bytes;
  switch (PictureFormatOf(path)) {
    case PictureFormat::kSvg:
      bytes = DrawingSvg(view, region);
      break;
    case PictureFormat::kPng:
      bytes = DrawingPng(view, region);
      break;
    case PictureFormat::kUnknown:
      break;
  }
  if (bytes.isEmpty()) return platform::WriteFailure::kError;
  return platform::ReplaceFileAtomically(
      path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace silvarone::gui
