// The run chart of the inspection log, one drawing for the log window and
// for the report's printed pages: the measured values in the order they
// were recorded, joined by a line, those outside the limits red, and the
// nominal value and the two limits as dashed lines across.
#pragma once

#include <vector>

#include "ui/log_report.h"

class QChart;
class QPainter;
class QRectF;

namespace silvarone::gui {

// A chart with its two value axes and no series yet; the log window keeps
// one and shows each new series in it.
QChart* NewRunChart();

// Puts the series into a chart of NewRunChart, in place of what it showed:
// the points numbered 1, 2, ... along, the measured axis as ChartRangeOf
// gives it, the names of the lines in the language.
void ShowRunChart(QChart& chart, const LogSeries& series, const std::vector<bool>& outside,
                  Language language);

// The chart of the report on a page: its title above, drawn across the
// width of `area` (at most as high as the area), the figures below it.
void PaintRunChart(QPainter& painter, const QRectF& area, const LogChart& chart);

}  // namespace silvarone::gui
