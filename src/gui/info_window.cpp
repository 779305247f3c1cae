#include "gui/info_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/widgets.h"
#include "gui/window_texts.h"

namespace silvarone::gui {
namespace {

// The web address: a double-click opens it in the system's browser.
class WebLabel : public QLabel {
 public:
  explicit WebLabel(QWidget* parent) : QLabel(parent) {
    setObjectName("LabelMaker_Web");
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseDoubleClickEvent(QMouseEvent*) override {
    QDesktopServices::openUrl(QUrl::fromUserInput(ToQString(InfoWebAddress())));
  }
};

}  // namespace

InfoWindow::InfoWindow(const WindowModel& model, QWidget* parent) : QDialog(parent), model_(model) {
  setObjectName("TInfoWindow");
  const auto label = [this](const char* name) {
    auto* text = new QLabel(this);
    text->setObjectName(name);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return text;
  };
  auto* layout = new QVBoxLayout(this);
  auto* head = new QHBoxLayout;
  const QIcon icon = QApplication::windowIcon();
  if (!icon.isNull()) {
    auto* picture = new QLabel(this);
    picture->setObjectName("ProgramIcon");
    picture->setPixmap(icon.pixmap(48, 48));
    head->addWidget(picture, 0, Qt::AlignTop);
  }
  auto* names = new QVBoxLayout;
  QLabel* name = label("LabelInfo_1");
  QFont large = name->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.4);
  name->setFont(large);
  names->addWidget(name);
  names->addWidget(label("LabelInfo_2"));
  names->addWidget(label("LabelInfo_3"));
  head->addLayout(names, 1);
  layout->addLayout(head);

  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  layout->addWidget(rule);
  layout->addWidget(label("LabelMaker_Licence"));
  layout->addWidget(label("LabelMaker_Manual"));
  // Without a web address there is neither the line nor its double-click.
  if (!InfoWebAddress().empty()) layout->addWidget(new WebLabel(this));

  auto* ok = new QPushButton(this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ApplyTexts(this, InfoWindowTexts(model_.language()));
}

void InfoWindow::showEvent(QShowEvent* event) {
  ApplyTexts(this, InfoWindowTexts(model_.language()));
  QDialog::showEvent(event);
}

}  // namespace silvarone::gui
