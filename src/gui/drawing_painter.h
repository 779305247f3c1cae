// Paints the measurement drawing of the window model with QPainter: on the
// window's canvas, into an SVG (QSvgGenerator) or PNG picture, and on a page
// of the report's PDF. Lines keep their width in pixels whatever the scale;
// the texts are painted upright at the places the model gives.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <string>

#include "platform/file_system.h"
#include "ui/drawing_window.h"

class QPainter;

namespace silvarone::gui {

// The region of the drawing (mm) that the picture shows when it opens: the
// measured region for a gear of many teeth, else the whole gear.
DrawingBounds StartRegion(const DrawingView& view);

// Paints `region` of the drawing (mm, y upwards) into `target`, the scale the
// same in both directions, with the note under it.
void PaintMeasurement(QPainter& painter, const DrawingView& view, const QRectF& target,
                      const DrawingBounds& region);

// The picture in memory; empty when it could not be made.
QByteArray DrawingSvg(const DrawingView& view, const DrawingBounds& region);
QByteArray DrawingPng(const DrawingView& view, const DrawingBounds& region);

// Writes the picture (SVG or PNG by the name) through the program's one
// writer; why it was not written (kError for a name of neither kind), or kNone.
platform::WriteFailure WriteDrawingPicture(const DrawingView& view, const DrawingBounds& region,
                                           const std::string& path);

}  // namespace silvarone::gui
