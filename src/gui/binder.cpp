#include "gui/binder.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <functional>

#include "gui/widgets.h"
#include "ui/controls.h"

namespace silvarone::gui {
namespace {

using Select = std::function<void(WindowModel&, int)>;

// What choosing item i of a list or radio group does.
const std::map<std::string_view, Select, std::less<>>& Selections() {
  static const std::map<std::string_view, Select, std::less<>> kSelections = {
      {ctl::RadioGroup_Modul, [](WindowModel& m, int i) { m.SelectModuleSeries(i); }},
      {ctl::ComboBox1,
       [](WindowModel& m, int i) { m.SelectModuleFromSeries(kModuleSeries1Item, i); }},
      {ctl::ComboBox2,
       [](WindowModel& m, int i) { m.SelectModuleFromSeries(kModuleSeries2Item, i); }},
      {ctl::Messkugelauswahl, [](WindowModel& m, int i) { m.SelectBall(i); }},
      {ctl::ComboBox3, [](WindowModel& m, int i) { m.SelectBallFromList(BallList::kDin, i); }},
      {ctl::ComboBox4, [](WindowModel& m, int i) { m.SelectBallFromList(BallList::kDevice, i); }},
      {ctl::Messzahnauswahl, [](WindowModel& m, int i) { m.SelectToothCount(i); }},
      {ctl::DeviceSelection, [](WindowModel& m, int i) { m.SelectInstrument(i); }},
      {ctl::Messbereichs_Box, [](WindowModel& m, int i) { m.SelectMeasuringRange(i); }},
      {ctl::RadioGroup_Verzahnung, [](WindowModel& m, int i) { m.SelectToleranceSource(i); }},
      {ctl::DevRowComboBox, [](WindowModel& m, int i) { m.SelectDeviationSeries(i); }},
      {ctl::TolRowComboBox, [](WindowModel& m, int i) { m.SelectToleranceSeries(i); }},
      {ctl::InputMode,
       [](WindowModel& m, int i) { m.SelectInputMode(static_cast<CalculationModeKind>(i)); }},
  };
  return kSelections;
}

// What a button of a page does.
const std::map<std::string, std::function<void(WindowModel&)>, std::less<>>& Buttons() {
  static const std::map<std::string, std::function<void(WindowModel&)>, std::less<>> kButtons = {
      {"Calculate_Btn", [](WindowModel& m) { m.RunCheckDimension(); }},
      {"BackCalc_btn", [](WindowModel& m) { m.RunBackCalculation(); }},
      {"ProjectNew_Btn", [](WindowModel& m) { m.NewProject(); }},
      {"ProjectSave_Btn", [](WindowModel& m) { m.SaveProject(); }},
  };
  return kButtons;
}

void SetBase(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, colour);
  widget->setPalette(palette);
}

}  // namespace

Binder::Binder(WindowModel& model, QWidget* root, QTabWidget* pages)
    : QObject(root), model_(model), root_(root), pages_(pages) {
  for (const Control& control : Controls()) {
    const std::string name(control.name);
    QObject* widget = root->findChild<QObject*>(QString::fromStdString(name));
    if (widget == nullptr) continue;
    if (control.kind == ControlKind::kSelection) {
      BindSelection(name, widget);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      BindField(name, edit);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      labels_.emplace_back(name, label);
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
      const int which = control.which;
      spins_.emplace_back(which, spin);
      connect(spin, &QSpinBox::valueChanged, this, [this, which](int value) {
        if (!refreshing_) model_.SetDecimalPlaces(which, value);
      });
    } else if (auto* date = qobject_cast<QDateEdit*>(widget)) {
      date_ = date;
      connect(date, &QDateEdit::dateChanged, this, [this, name](const QDate& day) {
        if (!refreshing_) model_.Edited(name, ToStdString(day.toString("dd.MM.yyyy")));
      });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
      comment_ = memo;
      connect(memo, &QPlainTextEdit::textChanged, this, [this, name, memo] {
        if (!refreshing_) model_.Edited(name, ToStdString(memo->toPlainText()));
      });
    }
  }
  for (const auto& [name, run] : Buttons()) {
    if (auto* button = root->findChild<QPushButton*>(QString::fromStdString(name))) {
      connect(button, &QPushButton::clicked, this, [this, run = run] { run(model_); });
    }
  }
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
    if (!refreshing_) model_.ChangePage(static_cast<Page>(page));
  });
  // Every object that shows a caption of the model, by kind.
  for (const auto& [object, text] : model_.captions()) {
    QObject* target = root->findChild<QObject*>(QString::fromStdString(object));
    if (auto* menu = qobject_cast<QMenu*>(target)) {
      menus_[object] = menu;
    } else if (auto* action = qobject_cast<QAction*>(target)) {
      actions_[object] = action;
    } else if (target != nullptr) {
      pageTexts_[object] = target;
    }
  }
}

void Binder::BindField(const std::string& name, QLineEdit* edit) {
  fields_.push_back({name, edit});
  names_[edit] = name;
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this,
          [this, name](const QString& text) { model_.Edited(name, ToStdString(text)); });
  connect(edit, &QLineEdit::returnPressed, this, [this, name] {
    if (name == ctl::Input_Password) {
      // Enter in the password field asks for the ball sequence editor.
      emit ballEditorRequested();
      return;
    }
    model_.Confirm(name);
  });
}

void Binder::BindSelection(const std::string& name, QObject* widget) {
  const auto action = Selections().find(name);
  if (action == Selections().end()) return;
  const Select select = action->second;
  if (auto* list = qobject_cast<QComboBox*>(widget)) {
    lists_.emplace_back(name, list);
    connect(list, &QComboBox::activated, this, [this, select](int i) { select(model_, i); });
  } else if (auto* group = qobject_cast<RadioGroup*>(widget)) {
    groups_.emplace_back(name, group);
    connect(group, &RadioGroup::chosen, this, [this, select](int i) { select(model_, i); });
  }
}

const std::string* Binder::NameOf(QObject* object) const {
  const auto it = names_.find(object);
  return it == names_.end() ? nullptr : &it->second;
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
  const std::string* name = NameOf(watched);
  if (name == nullptr) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Escape) {
        model_.Escape();
        model_.KeyPressed(*name);
        return true;
      }
      model_.KeyPressed(*name);
      return false;
    }
    case QEvent::MouseButtonDblClick:
      model_.Confirm(*name);
      return false;
    case QEvent::MouseButtonPress:
      model_.ClickInto(*name);
      return false;
    case QEvent::FocusIn:
      model_.FocusEntered(*name);
      return false;
    case QEvent::FocusOut: {
      // A dialog or a menu taking the focus for a moment is no leaving.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        model_.Leave(*name);
      }
      return false;
    }
    default:
      return false;
  }
}

void Binder::RefreshField(BoundField& bound) {
  const Field& field = model_.field(bound.name);
  QLineEdit* edit = bound.edit;
  const QString text = ToQString(field.text);
  if (edit->text() != text) edit->setText(text);
  if (edit->isReadOnly() != field.readOnly) edit->setReadOnly(field.readOnly);
  if (edit->isEnabled() != field.enabled) edit->setEnabled(field.enabled);
  // Pending yellow, given values in the caption colour, results in the
  // tool-tip colour, the rest in the window colour.
  const Paint paint = field.state == FieldState::kPending  ? Paint::kPending
                      : field.highlighted                  ? Paint::kGiven
                      : field.state == FieldState::kResult ? Paint::kResult
                                                           : Paint::kNormal;
  if (paint == bound.painted) return;
  bound.painted = paint;
  switch (paint) {
    case Paint::kPending:
      SetBase(edit, PendingColour());
      break;
    case Paint::kGiven:
      SetBase(edit, GivenColour());
      break;
    case Paint::kResult:
      SetBase(edit, edit->palette().color(QPalette::ToolTipBase));
      break;
    case Paint::kNormal:
    case Paint::kNotYet:
      edit->setPalette(QPalette());
      break;
  }
}

void Binder::Refresh() {
  refreshing_ = true;
  for (BoundField& bound : fields_)
    RefreshField(bound);
  for (const auto& [name, list] : lists_) {
    const QSignalBlocker blocker(list);
    const Selection& selection = model_.selection(name);
    bool same = list->count() == static_cast<int>(selection.items.size());
    for (int i = 0; same && i < list->count(); ++i) {
      same = list->itemText(i) == ToQString(selection.items[static_cast<std::size_t>(i)]);
    }
    if (!same) {
      list->clear();
      for (const std::string& item : selection.items)
        list->addItem(ToQString(item));
    }
    if (list->currentIndex() != selection.index) list->setCurrentIndex(selection.index);
    list->setEnabled(selection.enabled);
  }
  for (const auto& [name, group] : groups_) {
    const Selection& selection = model_.selection(name);
    group->SetItems(selection.items);
    group->SetIndex(selection.index);
    group->setEnabled(selection.enabled);
  }
  for (const auto& [name, label] : labels_) {
    const Field& field = model_.field(name);
    const QString text = ToQString(field.text);
    if (label->text() != text) label->setText(text);
    const QString tip = ToQString(field.toolTip);
    if (label->toolTip() != tip) label->setToolTip(tip);
  }
  for (const auto& [which, spin] : spins_) {
    const QSignalBlocker blocker(spin);
    spin->setValue(model_.decimalPlaces(which));
  }
  if (date_ != nullptr) {
    const QSignalBlocker blocker(date_);
    date_->setDate(
        QDate::fromString(ToQString(model_.field(ctl::ProjectDatePicker).text), "dd.MM.yyyy"));
  }
  if (comment_ != nullptr) {
    const QString text = ToQString(model_.field(ctl::ProjectComment).text);
    if (comment_->toPlainText() != text) {
      const QSignalBlocker blocker(comment_);
      comment_->setPlainText(text);
    }
  }
  if (pages_->currentIndex() != TabIndex(model_.page()))
    pages_->setCurrentIndex(TabIndex(model_.page()));
  refreshing_ = false;
}

void Binder::RetranslateMenus() {
  for (const auto& [object, menu] : menus_) {
    const QString text = ToQString(model_.caption(object));
    if (menu->title() != text) menu->setTitle(text);
  }
}

void Binder::RetranslateActions() {
  for (const auto& [object, action] : actions_) {
    const QString text = ToQString(model_.caption(object));
    if (action->text() != text) action->setText(text);
  }
}

void Binder::RetranslatePages() {
  for (const auto& [object, target] : pageTexts_) {
    const QString text = ToQString(model_.caption(object));
    if (auto* label = qobject_cast<QLabel*>(target)) {
      if (label->text() != text) label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
      if (group->title() != text) group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
      if (button->text() != text) button->setText(text);
    } else if (auto* page = qobject_cast<QWidget*>(target)) {
      const int index = pages_->indexOf(page);
      if (index >= 0 && pages_->tabText(index) != text) pages_->setTabText(index, text);
    }
  }
}

}  // namespace silvarone::gui
