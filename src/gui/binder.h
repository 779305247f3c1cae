// Connects the window's widgets to the window model by object name, and
// repaints them from the model. User edits reach the model through
// textEdited (never for text the program sets), Enter, Esc, double-click,
// focus in and out, clicks, keys and list selections; the view computes
// nothing itself.
#pragma once

#include <QColor>
#include <QObject>
#include <map>
#include <string>
#include <vector>

#include "ui/window_model.h"

class QComboBox;
class QDateEdit;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;

namespace silvarone::gui {

class RadioGroup;

class Binder : public QObject {
  Q_OBJECT

 public:
  // Binds every named control below `root` (and the page control).
  Binder(WindowModel& model, QWidget* root, QTabWidget* pages);
  Binder(const Binder&) = delete;
  Binder& operator=(const Binder&) = delete;

  // Fields, lists, their states and colours and the page.
  void Refresh();

  // The captions of the language of the moment, by kind of object: menu
  // titles, the menus' actions, and the texts on the pages (tabs, labels,
  // groups, buttons).
  void RetranslateMenus();
  void RetranslateActions();
  void RetranslatePages();

  // The colours of the field states.
  static QColor PendingColour() { return QColor(Qt::yellow); }
  static QColor GivenColour() { return QColor(0xb9, 0xd1, 0xea); }

 signals:
  // Enter in the password field.
  void ballEditorRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The colour a field was last painted in.
  enum class Paint { kNotYet, kNormal, kPending, kGiven, kResult };
  struct BoundField {
    std::string name;
    QLineEdit* edit;
    Paint painted = Paint::kNotYet;
  };
  void BindField(const std::string& name, QLineEdit* edit);
  void BindSelection(const std::string& name, QObject* widget);
  void RefreshField(BoundField& bound);
  const std::string* NameOf(QObject* object) const;

  WindowModel& model_;
  QWidget* root_;
  QTabWidget* pages_;
  std::vector<BoundField> fields_;
  std::vector<std::pair<std::string, QComboBox*>> lists_;
  std::vector<std::pair<std::string, RadioGroup*>> groups_;
  std::vector<std::pair<int, QSpinBox*>> spins_;
  // Display fields shown as text (the warnings): text and tool tip.
  std::vector<std::pair<std::string, QLabel*>> labels_;
  QDateEdit* date_ = nullptr;
  QPlainTextEdit* comment_ = nullptr;
  std::map<QObject*, std::string> names_;
  std::map<std::string, QMenu*, std::less<>> menus_;
  std::map<std::string, QAction*, std::less<>> actions_;
  std::map<std::string, QObject*, std::less<>> pageTexts_;
  bool refreshing_ = false;
};

}  // namespace silvarone::gui
