// The five pages of the main window, one source file each.
#pragma once

#include <QLabel>
#include <initializer_list>

#include "gui/page_base.h"

class QGroupBox;
class QHBoxLayout;
class QPlainTextEdit;

namespace silvarone::gui {

class LockableButton;
class Picture;
class RangeBar;

// TabSheet1: module and the drawing data of the geometry.
class DrawingPage : public PageBase {
 public:
  explicit DrawingPage(WindowModel& model);
};

// TabSheet2: profile shift, tooth thickness tolerances, input modes and the
// given dimensions.
class TolerancePage : public PageBase {
 public:
  explicit TolerancePage(WindowModel& model);

 private:
  struct GivenRow {
    const char* label;
    const char* text;  // the symbol, the same in both languages
    const char* field;
  };
  QGroupBox* GivenGroup(const char* name, const char* title, std::initializer_list<GivenRow> rows);
};

// TabSheet3: ball and tooth count, check dimension, comparison table and the
// back-calculation.
class CalculationPage : public PageBase {
 public:
  explicit CalculationPage(WindowModel& model);
  void Refresh() override;

 private:
  QGroupBox* BallGroup();
  QGroupBox* TeethGroup();
  QGroupBox* CheckDimensionGroup();
  QHBoxLayout* RangeBars();
  QHBoxLayout* RangeMarks();
  QGroupBox* ComparisonTable();
  QGroupBox* BackCalculationGroup();

  Picture* okPicture_;
  RangeBar* bars_[3];
  QHBoxLayout* barsLayout_;
  QHBoxLayout* marksLayout_;
  QLabel* panel_;
  QLabel* marks_[4];
  QWidget* backBox_;
  QWidget* progress_;
};

// TabSheet4: instrument, device ball sequence and decimal places.
class SetupPage : public PageBase {
 public:
  explicit SetupPage(WindowModel& model);
  void Refresh() override;

 private:
  Picture* instrument_;
  LockableButton* editButton_;
  QPlainTextEdit* balls_;
};

// TabSheet5: the project data.
class ProjectPage : public PageBase {
 public:
  explicit ProjectPage(WindowModel& model);
};

}  // namespace silvarone::gui
