#include "gui/widgets.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QPainter>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#ifdef SILVARONE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace silvarone::gui {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStdString(const QString& text) {
  return text.toStdString();
}

LockableButton::LockableButton(const char* objectName, QWidget* parent) : QPushButton(parent) {
  setObjectName(objectName);
}

void LockableButton::SetLocked(bool locked) {
  if (locked == locked_) return;
  locked_ = locked;
  setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
  if (locked && hasFocus()) clearFocus();
  update();
}

void LockableButton::paintEvent(QPaintEvent* event) {
  if (!locked_) {
    QPushButton::paintEvent(event);
    return;
  }
  // Drawn as Qt draws a disabled button: no enabled, hover or pressed state,
  // and the disabled colours.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.state &= ~(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Sunken |
                    QStyle::State_On | QStyle::State_HasFocus);
  option.palette.setCurrentColorGroup(QPalette::Disabled);
  painter.drawControl(QStyle::CE_PushButton, option);
}

RadioGroup::RadioGroup(const char* objectName, std::vector<std::string> buttonNames,
                       QWidget* parent)
    : QGroupBox(parent), grid_(new QGridLayout(this)), buttonNames_(std::move(buttonNames)) {
  setObjectName(objectName);
  grid_->setColumnStretch(1, 1);
  connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::chosen);
}

QRadioButton* RadioGroup::button(int row) const {
  return qobject_cast<QRadioButton*>(buttons_.button(row));
}

void RadioGroup::SetItems(const std::vector<std::string>& items) {
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    QRadioButton* radio = button(i);
    if (radio == nullptr) {
      radio = new QRadioButton(this);
      const auto n = static_cast<std::size_t>(i);
      radio->setObjectName(n < buttonNames_.size() ? ToQString(buttonNames_[n])
                                                   : objectName() + "_" + QString::number(i));
      buttons_.addButton(radio, i);
      grid_->addWidget(radio, i, 0);
    }
    const QString text = ToQString(items[static_cast<std::size_t>(i)]);
    if (radio->text() != text) radio->setText(text);
  }
}

void RadioGroup::SetIndex(int index) {
  QAbstractButton* radio = buttons_.button(index);
  if (radio != nullptr && !radio->isChecked()) radio->setChecked(true);
}

void RadioGroup::PutBeside(int row, QWidget* widget) {
  grid_->addWidget(widget, row, 1);
}

RangeBar::RangeBar(const char* objectName, QWidget* parent) : QWidget(parent) {
  setObjectName(objectName);
  setMinimumHeight(14);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void RangeBar::SetColour(BarColour colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void RangeBar::SetSpan(long from, long to, long position) {
  if (from == from_ && to == to_ && position == position_) return;
  from_ = from;
  to_ = to;
  position_ = position;
  update();
}

void RangeBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor fill = colour_ == BarColour::kRed     ? QColor(0xd0, 0x1f, 0x26)
                      : colour_ == BarColour::kGreen ? QColor(0x1e, 0x8a, 0x34)
                                                     : palette().color(QPalette::Button);
  painter.fillRect(rect(), fill);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (to_ > from_ && position_ >= from_ && position_ <= to_) {
    const int x = static_cast<int>((position_ - from_) * (width() - 1) / (to_ - from_));
    painter.setPen(QPen(palette().color(QPalette::WindowText), 3));
    painter.drawLine(x, 0, x, height());
  }
}

Picture::Picture(const char* objectName, QWidget* parent) : QLabel(parent) {
  setObjectName(objectName);
  setAlignment(Qt::AlignCenter);
}

void Picture::Show(const std::string& path) {
  if (path == path_) return;
  path_ = path;
  const QPixmap pixmap(ToQString(path));
  setPixmap(pixmap);
  if (pixmap.isNull()) setText(QString());
}

namespace {

#ifdef SILVARONE_HAVE_FONTCONFIG
// The first monospace family in fontconfig's order of preference for
// "monospace", which follows the user's and the system's configuration.
QString FontconfigMonospaceFamily() {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("monospace:spacing=mono"));
  if (pattern == nullptr) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* fonts = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
  QString family;
  for (int i = 0; fonts != nullptr && i < fonts->nfont && family.isEmpty(); ++i) {
    int spacing = FC_PROPORTIONAL;
    FcChar8* name = nullptr;
    // Dual-width (CJK) fonts are not one width for every character.
    if (FcPatternGetInteger(fonts->fonts[i], FC_SPACING, 0, &spacing) == FcResultMatch &&
        spacing >= FC_MONO &&
        FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &name) == FcResultMatch) {
      family = QString::fromUtf8(reinterpret_cast<const char*>(name));
    }
  }
  if (fonts != nullptr) FcFontSetDestroy(fonts);
  FcPatternDestroy(pattern);
  return family;
}
#endif

QString MonospaceFamily() {
#ifdef SILVARONE_HAVE_FONTCONFIG
  if (QString family = FontconfigMonospaceFamily(); !family.isEmpty()) return family;
#endif
  const QStringList families = QFontDatabase::families();
  for (const QString& family : families) {
    if (QFontDatabase::isFixedPitch(family)) return family;
  }
  return {};
}

}  // namespace

QFont FixedPitchFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (QFontInfo(font).fixedPitch()) return font;
  // Asked once: the fonts a running program sees do not change.
  static const QString family = MonospaceFamily();
  if (!family.isEmpty()) font.setFamilies({family});
  return font;
}

}  // namespace silvarone::gui
