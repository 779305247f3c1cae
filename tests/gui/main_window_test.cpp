// The Qt main window driven with the mouse and the keyboard, offscreen.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTabWidget>
#include <map>

#include "gui/binder.h"
#include "gui/widgets.h"
#include "ui/captions.h"
#include "window_fixture.h"

namespace silvarone {
namespace {

using Window = testing::WindowTest;

// The text a widget shows for its caption.
QString Shown(QObject* object, QTabWidget* pages) {
  if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
  if (auto* group = qobject_cast<QGroupBox*>(object)) return group->title();
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
  if (auto* action = qobject_cast<QAction*>(object)) return action->text();
  if (auto* menu = qobject_cast<QMenu*>(object)) return menu->title();
  if (auto* page = qobject_cast<QWidget*>(object)) return pages->tabText(pages->indexOf(page));
  return "<no text>";
}

QColor Base(QWidget* widget) {
  return widget->palette().color(QPalette::Base);
}

TEST_F(Window, ModuleTypedWithACommaIsConfirmedWithEnter) {
  Open();
  Click("RadioGroup_Modul_2");  // "Eingeben:"
  EXPECT_FALSE(Find<QLineEdit>("Input_m_n")->isReadOnly());
  Type("Input_m_n", "2,5", false);
  EXPECT_EQ(Base(Find("Input_m_n")), gui::Binder::PendingColour());
  QTest::keyClick(Find("Input_m_n"), Qt::Key_Return);
  EXPECT_EQ(Text("Input_m_n"), "2.5");
  EXPECT_EQ(Text("Edit12"), "2.5");
  EXPECT_NE(Base(Find("Input_m_n")), gui::Binder::PendingColour());
  // d = 2.5 * -50 = -125 (the first start's gear is internal, z -50)
  EXPECT_EQ(Text("Edit5"), "-125.000");
}

TEST_F(Window, EscapeRestoresAPendingField) {
  Open();
  Type("Input_b_w", "33", false);
  EXPECT_EQ(Base(Find("Input_b_w")), gui::Binder::PendingColour());
  QTest::keyClick(Find("Input_b_w"), Qt::Key_Escape);
  EXPECT_EQ(Text("Input_b_w"), "20");
  EXPECT_NE(Base(Find("Input_b_w")), gui::Binder::PendingColour());
}

TEST_F(Window, EveryCaptionFollowsTheLanguageAndBack) {
  Open();
  QTabWidget* pages = window().pages();
  for (Language language : {kEnglish, kGerman}) {
    Trigger(language == kEnglish ? "Englisch1" : "Deutsch1");
    for (const CaptionRow& row : CaptionTable()) {
      QObject* object = window().findChild<QObject*>(gui::ToQString(row.object));
      ASSERT_NE(object, nullptr) << row.object;
      EXPECT_EQ(Shown(object, pages),
                gui::ToQString(language == kEnglish ? row.english : row.german))
          << row.object;
    }
    EXPECT_EQ(window().windowTitle(), gui::ToQString(WindowTitle(language)));
  }
  // The German row headings that stay empty.
  EXPECT_EQ(Find<QLabel>("Label44")->text(), "");
  EXPECT_EQ(Find<QLabel>("Label45")->text(), "");
}

TEST_F(Window, MenusHoldTheTableEntriesWithUniqueAccelerators) {
  Open();
  // The entries of a menu (the menu bar for ""), separators left out.
  const auto entries = [&](std::string_view menu) {
    QWidget* holder = menu.empty() ? static_cast<QWidget*>(window().menuBar())
                                   : Find<QMenu>(std::string(menu).c_str());
    std::vector<QAction*> actions;
    for (QAction* action : holder->actions())
      if (!action->isSeparator()) actions.push_back(action);
    return actions;
  };
  for (Language language : {kEnglish, kGerman}) {
    Trigger(language == kEnglish ? "Englisch1" : "Deutsch1");
    for (const MenuRow& row : MenuTable()) {
      std::vector<std::string> names;
      std::map<int, QString> keys;  // Alt+letter as Qt reads the caption
      for (QAction* action : entries(row.menu)) {
        names.push_back(
            gui::ToStdString(action->menu() ? action->menu()->objectName() : action->objectName()));
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        EXPECT_FALSE(key.isEmpty()) << names.back();
        if (key.isEmpty()) continue;
        const auto [other, fresh] = keys.emplace(key[0].toCombined(), action->text());
        EXPECT_TRUE(fresh) << gui::ToStdString(action->text()) << " and "
                           << gui::ToStdString(other->second);
      }
      EXPECT_EQ(names, std::vector<std::string>(row.entries.begin(), row.entries.end()))
          << "menu \"" << row.menu << "\"";
    }
  }
}

// The "Cancel" of Qt's standard buttons: of a button box, of Qt's own file
// dialog (the one the window uses where the desktop has none) and of the
// print dialog.
std::vector<std::string> QtCancelTexts(QWidget* parent) {
  QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QFileDialog files(parent);
  files.setOption(QFileDialog::DontUseNativeDialog);
  QPrinter printer;
  QPrintDialog print(&printer, parent);
  const auto cancel = [](QWidget* dialog) -> std::string {
    auto* buttons = dialog->findChild<QDialogButtonBox*>();
    return buttons ? gui::ToStdString(buttons->button(QDialogButtonBox::Cancel)->text())
                   : "<no buttons>";
  };
  return {gui::ToStdString(box.button(QDialogButtonBox::Cancel)->text()), cancel(&files),
          cancel(&print)};
}

TEST_F(Window, QtsOwnDialogsFollowTheLanguage) {
  // Qt's German translation (qtbase_de.qm) says "Abbrechen" for Cancel.
  const std::vector<std::string> german{"Abbrechen", "Abbrechen", "Abbrechen"};
  const std::vector<std::string> english{"Cancel", "Cancel", "Cancel"};
  Open();  // the first start is German
  EXPECT_EQ(QtCancelTexts(&window()), german);
  Trigger("Englisch1");
  EXPECT_EQ(QtCancelTexts(&window()), english);
  Trigger("Deutsch1");
  EXPECT_EQ(QtCancelTexts(&window()), german);
}

TEST_F(Window, QtsOwnDialogsStartInTheStoredLanguage) {
  Open("[common configuration]\r\nlanguage=englisch\r\n");
  EXPECT_EQ(QtCancelTexts(&window()), (std::vector<std::string>{"Cancel", "Cancel", "Cancel"}));
}

TEST_F(Window, InternalGearInEnglishCountsGaps) {
  Open();
  Trigger("Englisch1");
  Type("Input_z", "-34");
  EXPECT_EQ(Find<QGroupBox>("Messzaehne_Box")->title(), "measurement gap");
  EXPECT_EQ(Find<QLabel>("Label16")->text(), "count measuring gap:");
  Type("Input_z", "34");
  EXPECT_EQ(Find<QGroupBox>("Messzaehne_Box")->title(), "measurement number of teeth");
}

TEST_F(Window, CalculationPageShowsTheModelsResults) {
  Open();
  window().pages()->setCurrentIndex(TabIndex(Page::kCalculation));  // as a click on the tab
  ASSERT_EQ(model.page(), Page::kCalculation);
  for (const char* field : {"recommended_D_M", "Used_D_M", "Used_k_M", "Kontrollmass", "Q_plus_D_M",
                            "Edit2", "Edit3", "Edit100", "Edit201", "Edit302"}) {
    EXPECT_EQ(Text(field), gui::ToQString(model.field(field).text)) << field;
  }
  const RangeDisplay& range = model.rangeDisplay();
  // The first start's instrument and range, as the instrument table writes them.
  EXPECT_EQ(Find<QLabel>("Panel1")->text(), "200,000 / PRALO 175-200");
  for (int i = 0; i < 3; ++i) {
    const std::string name = "VrProgressBar" + std::to_string(i + 1);
    auto* bar = static_cast<gui::RangeBar*>(Find(name.c_str()));
    EXPECT_EQ(bar->colour(), range.colours[static_cast<std::size_t>(i)]) << name;
  }
  // A back-calculation from the lower test dimension fills the result fields.
  Type("Input_checkGauge", gui::ToQString(model.gear().rec.Q_plus_D_M_lower.text));
  Click("BackCalc_btn");
  EXPECT_TRUE(model.backCalculationDone());
  EXPECT_FALSE(Text("Edit6").isEmpty());
  EXPECT_EQ(Text("Edit6"), gui::ToQString(model.field("Edit6").text));
  EXPECT_FALSE(Find("VrProgressBar4")->isVisible());
}

// Where each named widget of the calculation page sits in the window.
std::map<QString, QRect> Placement(QWidget* page) {
  std::map<QString, QRect> placement;
  for (QWidget* widget : page->findChildren<QWidget*>()) {
    if (widget->objectName().isEmpty() || widget->objectName().startsWith("Warnung_")) continue;
    placement[widget->objectName()] = QRect(widget->mapTo(page, QPoint(0, 0)), widget->size());
  }
  return placement;
}

// The first start's gear (m_n 1, z -50) fails the span and MdK checks; a
// 6 mm instrument ball in it touches no involute and does not stand out,
// the longest warnings there are. Each warning is shown whole, overlaps no
// other control, and no control moves or changes size for it.
TEST_F(Window, MeasurabilityWarningsFitAndMoveNothing) {
  Open();
  window().pages()->setCurrentIndex(TabIndex(Page::kCalculation));
  model.SelectBall(kBallManual);
  model.Edited("D_M_Edit", "6");
  model.Confirm("D_M_Edit");
  model.RunCheckDimension();
  QWidget* page = Find("TabSheet3");
  for (const char* language : {"Deutsch1", "Englisch1"}) {
    SCOPED_TRACE(language);
    Trigger(language);
    QApplication::processEvents();
    const std::map<QString, QRect> shown = Placement(page);
    for (const char* name : {"Warnung_Wk", "Warnung_MdK", "Warnung_Q"}) {
      SCOPED_TRACE(name);
      auto* label = Find<QLabel>(name);
      ASSERT_FALSE(model.field(name).text.empty());
      EXPECT_EQ(label->text(), gui::ToQString(model.field(name).text));
      EXPECT_EQ(label->toolTip(), gui::ToQString(model.field(name).toolTip));
      const QRect room = label->contentsRect();
      if (label->wordWrap()) {
        EXPECT_LE(label->heightForWidth(room.width()), room.height());
      } else {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room.width());
        EXPECT_LE(label->fontMetrics().height(), room.height());
      }
      const QRect at(label->mapTo(page, QPoint(0, 0)), label->size());
      EXPECT_TRUE(page->rect().contains(at));
      for (const auto& [other, rect] : shown) {
        QWidget* widget = page->findChild<QWidget*>(other);
        if (widget->isAncestorOf(label) || !widget->isVisible()) continue;
        EXPECT_FALSE(at.intersects(rect)) << other.toStdString();
      }
    }
    // Without the warnings every control is where it was.
    for (const char* name : {"Warnung_Wk", "Warnung_MdK", "Warnung_Q"})
      Find<QLabel>(name)->clear();
    QApplication::processEvents();
    EXPECT_EQ(Placement(page), shown);
  }
}

TEST_F(Window, UpDownStopsAtTheFirstAndLastPage) {
  Open();
  Click("UpDown1_Previous");
  EXPECT_EQ(window().pages()->currentIndex(), TabIndex(Page::kDrawing1));
  for (int i = 0; i < 6; ++i)
    Click("UpDown1_Next");
  EXPECT_EQ(window().pages()->currentIndex(), TabIndex(Page::kProject));
  EXPECT_EQ(model.page(), Page::kProject);
  Click("UpDown1_Previous");
  EXPECT_EQ(window().pages()->currentIndex(), TabIndex(Page::kConfiguration));
  // Never over the page tabs.
  QWidget* upDown = Find("UpDown1");
  EXPECT_GE(upDown->x(), window().pages()->tabBar()->sizeHint().width());
}

TEST_F(Window, RefusedCalculationPageReturnsToTheDrawingData) {
  Open("[data]\r\nZaehnezahl z=zwanzig\r\n");
  window().pages()->setCurrentIndex(TabIndex(Page::kCalculation));
  EXPECT_EQ(window().pages()->currentIndex(), TabIndex(Page::kDrawing1));
  EXPECT_EQ(presenter.TakeTexts().size(), 1u);  // -103 with field 2
}

}  // namespace
}  // namespace silvarone
