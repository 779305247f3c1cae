// Small widgets the window needs beyond Qt's own: a radio group with a list
// of items, a coloured range bar, a picture that scales its JPEG, and a push
// button that looks disabled yet still takes clicks; a fixed-pitch font.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

#include "device/instrument.h"

class QGridLayout;
class QRadioButton;

namespace silvarone::gui {

// A titled group of radio buttons, one per item; item i sits in row i of
// its grid, so a page can put a list or field beside each item.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  // Buttons are named "<group>_<i>" unless names are given.
  explicit RadioGroup(const char* objectName, std::vector<std::string> buttonNames = {},
                      QWidget* parent = nullptr);

  void SetItems(const std::vector<std::string>& items);
  void SetIndex(int index);
  // The field or list shown beside item `row`.
  void PutBeside(int row, QWidget* widget);
  QRadioButton* button(int row) const;

 signals:
  void chosen(int index);

 private:
  QGridLayout* grid_;
  QButtonGroup buttons_;
  std::vector<std::string> buttonNames_;
};

// One of the three bars of the measuring-range display.
class RangeBar : public QWidget {
 public:
  explicit RangeBar(const char* objectName, QWidget* parent = nullptr);
  void SetColour(BarColour colour);
  BarColour colour() const { return colour_; }
  // The bar covers from..to (whole mm); a mark shows the test dimension when
  // it falls on this bar.
  void SetSpan(long from, long to, long position);
  QSize sizeHint() const override { return {60, 14}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  BarColour colour_ = BarColour::kNeutral;
  long from_ = 0;
  long to_ = 0;
  long position_ = -1;
};

// A picture loaded from a file (the OK/NOK picture, the instrument picture);
// empty when the file is missing.
class Picture : public QLabel {
 public:
  explicit Picture(const char* objectName, QWidget* parent = nullptr);
  void Show(const std::string& path);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A push button that can be locked: it then looks exactly as a disabled
// button does and takes no keyboard focus, but a click still arrives, so the
// window can say why it does nothing ("Bearbeiten" without the access code).
class LockableButton : public QPushButton {
 public:
  explicit LockableButton(const char* objectName, QWidget* parent = nullptr);
  void SetLocked(bool locked);
  bool locked() const { return locked_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool locked_ = false;
};

// A font whose characters are all equally wide, for texts laid out in
// columns with blanks (the report): the system's fixed font when it is
// fixed-pitch. Where it is not (a desktop whose "monospace" names a
// proportional font, or a platform without a fixed font of its own), the
// same font with the family fontconfig prefers among the installed
// monospace fonts, else the first fixed-pitch family Qt knows.
QFont FixedPitchFont();

// UTF-8 both ways between the model's texts and Qt's.
QString ToQString(const std::string& text);
QString ToQString(std::string_view text);
std::string ToStdString(const QString& text);

}  // namespace silvarone::gui
