// Draws the pictures of the main window and writes them as JPEG files:
//   Bild_OK_60x60.jpg, Bild_NOK_60x60.jpg  ball check beside the ball choice
//   48_2917_deutsch.jpg, 48_2917_englisch.jpg  PRALO instrument on a gear
// Usage: make_pictures OUTPUT_FOLDER   (runs headless with QT_QPA_PLATFORM=offscreen)
// Every file is read back through Qt's JPEG plugin; any failure exits non-zero.

#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace {

constexpr int kJpegQuality = 92;
constexpr double kPi = std::numbers::pi;

const QColor kInk(0x20, 0x20, 0x20);
const QColor kThin(0x60, 0x60, 0x60);
const QColor kAccent(0x15, 0x65, 0xc0);
const QColor kAccentTint(0xcf, 0xe0, 0xf5);
const QColor kPartFill(0xf0, 0xf0, 0xf0);
const QColor kSteelFill(0xd6, 0xd9, 0xdc);

QTextStream& Err() {
  static QTextStream err(stderr);
  return err;
}

QImage NewImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

void PreparePainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

// --- Ball check badges ------------------------------------------------------
// A white tile with a thin grey frame; the mark is drawn with a heavy round
// pen so that check and cross differ in shape, not only in colour.

void DrawTile(QPainter& p, int size) {
  p.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 1.0));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), 4.0, 4.0);
}

QImage OkPicture() {
  QImage image = NewImage(60, 60);
  QPainter p(&image);
  PreparePainter(p);
  DrawTile(p, 60);
  p.setPen(QPen(QColor(0x1e, 0x8a, 0x34), 7.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QPointF check[] = {{15.0, 31.0}, {25.5, 41.5}, {45.5, 19.0}};
  p.drawPolyline(check, 3);
  return image;
}

QImage NokPicture() {
  QImage image = NewImage(60, 60);
  QPainter p(&image);
  PreparePainter(p);
  DrawTile(p, 60);
  p.setPen(QPen(QColor(0xd0, 0x1f, 0x26), 7.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(18.0, 18.0), QPointF(42.0, 42.0));
  p.drawLine(QPointF(42.0, 18.0), QPointF(18.0, 42.0));
  return image;
}

// --- Labels -----------------------------------------------------------------
// "_" sets the letters that follow as a subscript: "D_M" is D with index M.
// Every label's box is kept so that clipped or colliding labels fail the run.

struct Run {
  QString text;
  bool sub = false;
};

std::vector<Run> Runs(const QString& label) {
  std::vector<Run> runs;
  Run current;
  for (qsizetype i = 0; i < label.size(); ++i) {
    const QChar c = label[i];
    if (c == u'_') {
      if (!current.text.isEmpty()) runs.push_back(current);
      current = Run{QString(), true};
      continue;
    }
    if (current.sub && !c.isLetterOrNumber()) {
      if (!current.text.isEmpty()) runs.push_back(current);
      current = Run{};
    }
    current.text += c;
  }
  if (!current.text.isEmpty()) runs.push_back(current);
  return runs;
}

class Labels {
 public:
  Labels(QPainter& painter, const QFont& font) : p_(painter), font_(font), sub_(font) {
    sub_.setPixelSize(qRound(font.pixelSize() * 0.75));
  }

  double Width(const QString& label) const {
    double width = 0.0;
    for (const Run& run : Runs(label))
      width += QFontMetricsF(run.sub ? sub_ : font_).horizontalAdvance(run.text);
    return width;
  }

  // Draws the label with its left end at x and its text vertically centred on
  // y (the middle of the capital letters), or right-aligned when right is set.
  QRectF Draw(double x, double y, const QString& label, const QColor& colour, bool right = false) {
    const QFontMetricsF fm(font_);
    const double width = Width(label);
    if (right) x -= width;
    const double baseline = y + fm.capHeight() / 2.0;
    double pen_x = x;
    p_.setPen(colour);
    for (const Run& run : Runs(label)) {
      const QFont& f = run.sub ? sub_ : font_;
      p_.setFont(f);
      p_.drawText(QPointF(pen_x, baseline + (run.sub ? fm.capHeight() * 0.35 : 0.0)), run.text);
      pen_x += QFontMetricsF(f).horizontalAdvance(run.text);
    }
    const QRectF box(x, baseline - fm.ascent(), width, fm.ascent() + fm.descent());
    boxes_.push_back({label, box});
    return box;
  }

  // Labels inside the picture with a small margin and clear of one another.
  bool Check(const QRectF& picture) const {
    bool ok = true;
    const QRectF inside = picture.adjusted(2, 2, -2, -2);
    for (size_t i = 0; i < boxes_.size(); ++i) {
      if (!inside.contains(boxes_[i].second)) {
        Err() << "label outside the picture: " << boxes_[i].first << Qt::endl;
        ok = false;
      }
      for (size_t j = i + 1; j < boxes_.size(); ++j) {
        if (boxes_[i].second.intersects(boxes_[j].second)) {
          Err() << "labels overlap: " << boxes_[i].first << " / " << boxes_[j].first << Qt::endl;
          ok = false;
        }
      }
    }
    return ok;
  }

 private:
  QPainter& p_;
  QFont font_;
  QFont sub_;
  std::vector<std::pair<QString, QRectF>> boxes_;
};

// --- Drawing aids -----------------------------------------------------------

void ArrowHead(QPainter& p, QPointF tip, QPointF from, const QColor& colour) {
  const QPointF d = tip - from;
  const double len = std::hypot(d.x(), d.y());
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  const double length = 7.0;
  const double half = 2.4;
  const QPointF back = tip - u * length;
  const QPolygonF head({tip, back + n * half, back - n * half});
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(head);
}

// Dimension line between a and b with arrows pointing at both ends.
void DimensionLine(QPainter& p, QPointF a, QPointF b, const QColor& colour) {
  p.setPen(QPen(colour, 1.0));
  p.drawLine(a, b);
  ArrowHead(p, a, b, colour);
  ArrowHead(p, b, a, colour);
}

QPen CentreLinePen() {
  QPen pen(kThin, 0.7);
  pen.setDashPattern({10.0, 3.0, 2.0, 3.0});
  return pen;
}

double Involute(double alpha) {
  return std::tan(alpha) - alpha;
}

// Pressure angle whose involute function is inv (bisection; inv < 1).
double InverseInvolute(double inv) {
  double lo = 0.0;
  double hi = 1.3;
  for (int i = 0; i < 60; ++i) {
    const double mid = (lo + hi) / 2.0;
    (Involute(mid) < inv ? lo : hi) = mid;
  }
  return (lo + hi) / 2.0;
}

// External spur gear without profile shift, 20 degree stub teeth (addendum
// 0.8 m, dedendum m: broader tips read better at this size), with a tooth
// space centred on angle 0 (to the right) and, for even z, on 180 degrees.
struct GearShape {
  QPointF centre;
  int z = 12;
  double m = 8.0;
  double Alpha() const { return 20.0 * kPi / 180.0; }
  double R() const { return m * z / 2.0; }
  double Ra() const { return R() + 0.8 * m; }
  double Rf() const { return R() - m; }
  double Rb() const { return R() * std::cos(Alpha()); }

  // Half the angle a tooth covers at radius r (radial flank below the base circle).
  double HalfToothAngle(double r) const {
    const double rr = std::max(r, Rb());
    return kPi / (2.0 * z) + Involute(Alpha()) - Involute(std::acos(Rb() / rr));
  }

  QPointF At(double r, double angle) const {
    return centre + QPointF(r * std::cos(angle), -r * std::sin(angle));
  }

  // Involute flanks from the base circle to the tip; each tooth space ends in
  // one rounded root from base circle to base circle that just reaches r_f.
  QPainterPath Outline() const {
    QPainterPath path;
    const int steps = 16;
    const double pitch = 2.0 * kPi / z;
    const double base = HalfToothAngle(Rb());
    const double r0 = std::max(Rb(), Rf());
    const double control = (4.0 * Rf() - r0) / 3.0;  // puts the root bottom on r_f
    for (int i = 0; i < z; ++i) {
      const double c = pitch / 2.0 + i * pitch;  // tooth centre
      for (int s = 0; s <= steps; ++s) {
        const double r = r0 + (Ra() - r0) * s / steps;
        const QPointF pt = At(r, c - HalfToothAngle(r));
        if (i == 0 && s == 0) {
          path.moveTo(pt);
        } else {
          path.lineTo(pt);
        }
      }
      const double tip = HalfToothAngle(Ra());
      for (int s = 1; s < steps; ++s)
        path.lineTo(At(Ra(), c - tip + 2.0 * tip * s / steps));
      for (int s = steps; s >= 0; --s) {
        const double r = r0 + (Ra() - r0) * s / steps;
        path.lineTo(At(r, c + HalfToothAngle(r)));
      }
      const double next = c + pitch - base;
      path.cubicTo(At(control, c + base), At(control, next), At(r0, next));
    }
    path.closeSubpath();
    return path;
  }

  // Radius of the centre of a ball of diameter d that touches both flanks of
  // a tooth space: inv alpha_K = inv alpha + d / d_b - pi / (2 z).
  double BallCentreRadius(double d) const {
    const double inv = Involute(Alpha()) + d / (2.0 * Rb()) - kPi / (2.0 * z);
    return Rb() / std::cos(InverseInvolute(inv));
  }
};

struct SchematicTexts {
  QString instrument;
  QString ball;
  QString check;
  QString test;
};

// Gear seen from the front with two balls in opposite tooth spaces; the two
// anvils of the instrument touch the balls from outside. Q is measured between
// the ball centres, the test dimension over the balls: Q + D_M.
QImage Schematic(const SchematicTexts& t, bool& labels_ok) {
  const int width = 360;
  const int height = 270;
  QImage image = NewImage(width, height);
  QPainter p(&image);
  PreparePainter(p);

  QFont font("DejaVu Sans");
  font.setPixelSize(11);
  font.setStyleStrategy(QFont::PreferAntialias);
  Labels labels(p, font);

  GearShape gear;
  gear.z = 16;
  gear.m = 7.0;
  gear.centre = QPointF(98.0, 131.0);
  const double ball_d = 16.0;
  const double ball_r = ball_d / 2.0;
  const double rk = gear.BallCentreRadius(ball_d);
  const QPointF cg = gear.centre;
  const QPointF ball_left(cg.x() - rk, cg.y());
  const QPointF ball_right(cg.x() + rk, cg.y());
  const double face = rk + ball_r;  // anvil face, from the gear centre
  const double arm_w = 10.0;
  const double label_x = 194.0;  // left edge of the label column

  // Instrument: beam with the display, two arms whose inner faces are the anvils.
  const QRectF beam(cg.x() - face - arm_w - 8.0, 43.0, 2.0 * (face + arm_w + 8.0), 16.0);
  const double arm_bottom = cg.y() + ball_r + 5.0;
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kSteelFill);
  const QRectF arm_left(cg.x() - face - arm_w, beam.bottom() - 1.0, arm_w,
                        arm_bottom - beam.bottom() + 1.0);
  const QRectF arm_right(cg.x() + face, beam.bottom() - 1.0, arm_w,
                         arm_bottom - beam.bottom() + 1.0);
  p.drawRect(arm_left);
  p.drawRect(arm_right);
  p.drawRoundedRect(beam, 2.0, 2.0);

  const QRectF display(cg.x() - 38.0, 17.0, 76.0, 26.0);
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kSteelFill);
  p.drawRoundedRect(display, 3.0, 3.0);
  const QRectF window = display.adjusted(5.0, 4.0, -5.0, -4.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2a, 0x2e, 0x33));
  p.drawRoundedRect(window, 1.5, 1.5);
  QFont digits("DejaVu Sans Mono");
  digits.setPixelSize(13);
  digits.setBold(true);
  p.setFont(digits);
  p.setPen(Qt::white);
  p.drawText(window, Qt::AlignCenter, QStringLiteral("00.000"));

  // Gear, centre lines, balls.
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPartFill);
  p.drawPath(gear.Outline());
  p.setBrush(Qt::white);
  p.drawEllipse(cg, 0.3 * gear.Rf(), 0.3 * gear.Rf());

  p.setPen(CentreLinePen());
  const double reach = gear.Ra() + 6.0;
  p.drawLine(QPointF(cg.x(), cg.y() - reach), QPointF(cg.x(), cg.y() + reach));
  p.drawLine(QPointF(cg.x() - face + 2.0, cg.y()), QPointF(cg.x() + face - 2.0, cg.y()));

  p.setPen(QPen(kAccent, 1.2));
  p.setBrush(kAccentTint);
  p.drawEllipse(ball_left, ball_r, ball_r);
  p.drawEllipse(ball_right, ball_r, ball_r);
  p.setPen(QPen(kAccent, 0.8));
  for (const QPointF& b : {ball_left, ball_right}) {
    p.drawLine(b - QPointF(3.0, 0.0), b + QPointF(3.0, 0.0));
    p.drawLine(b - QPointF(0.0, 3.0), b + QPointF(0.0, 3.0));
  }

  // Dimensions below the gear: Q between the ball centres, the test dimension
  // between the anvils; the names stand in the label column on the same line.
  const double q_y = cg.y() + gear.Ra() + 20.0;
  const double test_y = q_y + 30.0;
  p.setPen(CentreLinePen());
  p.drawLine(ball_left + QPointF(0.0, ball_r + 2.0), QPointF(ball_left.x(), q_y + 4.0));
  p.drawLine(ball_right + QPointF(0.0, ball_r + 2.0), QPointF(ball_right.x(), q_y + 4.0));
  p.setPen(QPen(kThin, 0.8));
  p.drawLine(QPointF(cg.x() - face, arm_bottom + 2.0), QPointF(cg.x() - face, test_y + 4.0));
  p.drawLine(QPointF(cg.x() + face, arm_bottom + 2.0), QPointF(cg.x() + face, test_y + 4.0));

  DimensionLine(p, QPointF(ball_left.x(), q_y), QPointF(ball_right.x(), q_y), kAccent);
  p.setPen(QPen(kAccent, 0.8));
  p.drawLine(QPointF(ball_right.x(), q_y), QPointF(label_x - 4.0, q_y));
  labels.Draw(label_x, q_y, t.check, kAccent);

  DimensionLine(p, QPointF(cg.x() - face, test_y), QPointF(cg.x() + face, test_y), kInk);
  p.setPen(QPen(kInk, 0.8));
  p.drawLine(QPointF(cg.x() + face, test_y), QPointF(label_x - 4.0, test_y));
  labels.Draw(label_x, test_y, t.test, kInk);

  // Leaders: the instrument from its beam, the ball from below the right anvil.
  const double instrument_y = beam.center().y();
  p.setPen(QPen(kInk, 0.8));
  p.drawLine(QPointF(beam.right() - 6.0, instrument_y), QPointF(label_x - 4.0, instrument_y));
  p.setBrush(kInk);
  p.drawEllipse(QPointF(beam.right() - 6.0, instrument_y), 1.8, 1.8);
  labels.Draw(label_x, instrument_y, t.instrument, kInk);

  // The leader starts with a dot on the ball and leaves it below the anvil.
  const double a = -55.0 * kPi / 180.0;
  const QPointF on_ball =
      ball_right + QPointF(0.6 * ball_r * std::cos(a), -0.6 * ball_r * std::sin(a));
  const double ball_label_y = arm_bottom + 16.0;
  const QPointF knee(ball_right.x() + 13.0, ball_label_y);
  p.setPen(QPen(kInk, 0.8));
  p.drawLine(on_ball, knee);
  p.drawLine(knee, QPointF(label_x - 4.0, ball_label_y));
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawEllipse(on_ball, 1.8, 1.8);
  labels.Draw(label_x, ball_label_y, t.ball, kInk);

  p.end();
  labels_ok = labels.Check(QRectF(0, 0, width, height));
  return image;
}

// Saves as JPEG and reads the file back through the JPEG plugin.
bool SaveChecked(const QImage& image, const QString& path) {
  if (!image.save(path, "JPG", kJpegQuality)) {
    Err() << "cannot write " << path << Qt::endl;
    return false;
  }
  const QImage back(path);
  if (back.isNull() || back.size() != image.size()) {
    Err() << "cannot read back " << path << Qt::endl;
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    Err() << "usage: make_pictures OUTPUT_FOLDER" << Qt::endl;
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    Err() << "cannot create " << out.path() << Qt::endl;
    return 1;
  }
  const QString family = QFontInfo(QFont("DejaVu Sans")).family();
  if (family != QLatin1String("DejaVu Sans"))
    Err() << "warning: DejaVu Sans not found, drawing with " << family << Qt::endl;

  bool ok = true;
  bool labels_de = false;
  bool labels_en = false;
  const QImage german =
      Schematic({QStringLiteral("Messgerät PRALO"), QStringLiteral("Messkugel D_M"),
                 QStringLiteral("Kontrollmaß Q"), QStringLiteral("Prüfmaß = Q + D_M")},
                labels_de);
  const QImage english =
      Schematic({QStringLiteral("PRALO measuring instrument"), QStringLiteral("measuring ball D_M"),
                 QStringLiteral("check dimension Q"), QStringLiteral("test dimension = Q + D_M")},
                labels_en);
  ok = labels_de && labels_en;
  ok = SaveChecked(OkPicture(), out.filePath("Bild_OK_60x60.jpg")) && ok;
  ok = SaveChecked(NokPicture(), out.filePath("Bild_NOK_60x60.jpg")) && ok;
  ok = SaveChecked(german, out.filePath("48_2917_deutsch.jpg")) && ok;
  ok = SaveChecked(english, out.filePath("48_2917_englisch.jpg")) && ok;
  return ok ? 0 : 1;
}
