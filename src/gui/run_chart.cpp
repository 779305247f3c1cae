#include "gui/run_chart.h"

#include <QApplication>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "gui/widgets.h"
#include "ui/log_window.h"

namespace silvarone::gui {
namespace {

QString TextOf(const WindowTexts& texts, const char* object) {
  for (const auto& [name, text] : texts)
    if (name == object) return ToQString(text);
  return {};
}

constexpr std::size_t kMarkedPoints = 500;

// A limit or the nominal value, across the whole chart.
QLineSeries* Level(const char* name, double value, const LogChartRange& range,
                   const QColor& color) {
  auto* line = new QLineSeries;
  line->setObjectName(name);
  line->append(range.first, value);
  line->append(range.last, value);
  line->setPen(QPen(color, 1.5, Qt::DashLine));
  return line;
}

QValueAxis* Axis(const QChart& chart, Qt::Orientation orientation) {
  const QList<QAbstractAxis*> axes = chart.axes(orientation);
  return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

// A font of `pixels` logical pixels: on a page the chart is scaled from its
// layout size, and a font in points would be sized for the printer instead.
QFont PixelFont(QFont font, int pixels, bool bold = false) {
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

QChart* NewRunChart() {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  // The axes stay; each showing of a series sets their ranges.
  auto* x = new QValueAxis(chart);
  x->setLabelFormat("%d");
  x->setTickType(QValueAxis::TicksDynamic);
  x->setTickAnchor(1);
  auto* y = new QValueAxis(chart);
  y->setLabelFormat("%.3f");
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  return chart;
}

void ShowRunChart(QChart& chart, const LogSeries& series, const std::vector<bool>& outside,
                  Language language) {
  const WindowTexts texts = LogWindowTexts(language);
  chart.removeAllSeries();
  auto* measured = new QLineSeries;
  measured->setObjectName("MeasuredSeries");
  const std::vector<LogChartPoint> drawn = ChartPointsOf(series.values, outside);
  // Each point marked while they are few enough to be told apart.
  measured->setPointsVisible(drawn.size() <= kMarkedPoints);
  auto* out = new QScatterSeries;
  out->setObjectName("OutsideSeries");
  out->setColor(Qt::red);
  out->setBorderColor(Qt::red);
  out->setMarkerSize(9);
  QList<QPointF> points;
  QList<QPointF> outsidePoints;
  points.reserve(static_cast<qsizetype>(drawn.size()));
  for (const LogChartPoint& p : drawn) {
    points.append(QPointF(p.x, p.y));
    if (p.outside) outsidePoints.append(QPointF(p.x, p.y));
  }
  // In one go: a point appended alone tells the chart each time.
  measured->replace(points);
  out->replace(outsidePoints);
  measured->setName(TextOf(texts, "ChartMeasured"));
  out->setName(TextOf(texts, "ChartOutside"));
  const LogChartRange range = ChartRangeOf(series);
  std::vector<QAbstractSeries*> all = {measured, out};
  if (series.dimension) {
    all.push_back(Level("NominalSeries", series.nominal, range, QColor(0, 128, 0)));
    all.push_back(Level("UpperSeries", series.upper, range, QColor(160, 0, 0)));
    all.push_back(Level("LowerSeries", series.lower, range, QColor(160, 0, 0)));
    all[2]->setName(TextOf(texts, "ChartNominal"));
    all[3]->setName(TextOf(texts, "ChartUpper"));
    all[4]->setName(TextOf(texts, "ChartLower"));
  }
  QValueAxis* x = Axis(chart, Qt::Horizontal);
  QValueAxis* y = Axis(chart, Qt::Vertical);
  if (x == nullptr || y == nullptr) return;
  x->setRange(range.first, range.last);
  x->setTickInterval(range.step);
  y->setRange(range.low, range.high);
  for (QAbstractSeries* s : all) {
    chart.addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
}

void PaintRunChart(QPainter& painter, const QRectF& area, const LogChart& data) {
  // Laid out as on a screen 1000 pixels wide, then scaled onto the page.
  constexpr double kWidth = 1000.0;
  const double scale = area.width() / kWidth;
  const QFontMetricsF lines(painter.font(), painter.device());
  const double figuresHeight = 3 * lines.lineSpacing();
  const double height =
      std::clamp((area.height() - figuresHeight) / scale, kWidth * 0.3, kWidth * 0.65);
  QGraphicsScene scene;
  QChart* chart = NewRunChart();
  scene.addItem(chart);  // the scene owns it
  ShowRunChart(*chart, data.series, data.outside, data.language);
  const QFont base = QApplication::font();
  chart->setTitle(ToQString(data.title));
  chart->setTitleFont(PixelFont(base, 22, true));
  chart->legend()->setFont(PixelFont(base, 15));
  for (QAbstractAxis* axis : chart->axes())
    axis->setLabelsFont(PixelFont(base, 14));
  chart->setGeometry(QRectF(0, 0, kWidth, height));
  scene.setSceneRect(0, 0, kWidth, height);
  // The chart lays itself out on posted events; the page is drawn now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (chart->layout() != nullptr) chart->layout()->activate();
  const QRectF target(area.left(), area.top(), area.width(), height * scale);
  scene.render(&painter, target, scene.sceneRect());
  const QRectF below(area.left(), target.bottom() + lines.lineSpacing(), area.width(),
                     figuresHeight);
  painter.drawText(below, Qt::TextWordWrap, ToQString(data.figures));
}

}  // namespace silvarone::gui
