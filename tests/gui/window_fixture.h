// The main window on a model with a temporary settings folder and scripted
// dialogs, watched for modal dialogs nobody expected.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "file_fixture.h"
#include "gui/main_window.h"
#include "scripted_dialogs.h"

namespace silvarone::testing {

class WindowTest : public TempFolder {
 protected:
  void SetUp() override {
    TempFolder::SetUp();
    // A modal dialog the model did not ask for (Qt's own, say) fails the test.
    watchdog_.setInterval(50);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      if (expectedModals_ > 0) return;
      if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "unexpected modal dialog: " << modal->windowTitle().toStdString();
        modal->close();
      }
    });
    watchdog_.start();
  }
  void TearDown() override {
    window_.reset();
    EXPECT_TRUE(model.unknownNames().empty());
    TempFolder::TearDown();
  }
  // Starts on the shipped data, or on the program folder given (with a
  // trailing separator).
  void Open(const std::string& settings = "", const std::string& program = "") {
    const std::string home = folder_.string() + "/home/";
    if (!settings.empty()) {
      std::filesystem::create_directories(home);
      std::ofstream(home + "diruvavida_roduzaz.ini", std::ios::binary) << settings;
    }
    ASSERT_TRUE(model.Start(
        {.settingsDirectory = home,
         .programDirectory = program.empty() ? std::string(SILVARONE_DATA_DIR) + "/" : program,
         .checkPdfViewer = false}));
    presenter.TakeTexts();
    window_ = std::make_unique<gui::MainWindow>(model);
    window_->resize(1280, 800);
    window_->show();
    QApplication::processEvents();
  }
  template <typename T = QWidget>
  T* Find(const char* name) {
    T* widget = window_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // Types into a field as the user would, then presses Enter.
  void Type(const char* field, const QString& text, bool enter = true) {
    QLineEdit* edit = Find<QLineEdit>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    if (enter) QTest::keyClick(edit, Qt::Key_Return);
  }
  void Click(const char* name) {
    QWidget* widget = Find(name);
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
  QString Text(const char* field) { return Find<QLineEdit>(field)->text(); }
  // A copy of the shipped data as the program folder, for tests that change it.
  std::string ProgramCopy() {
    const std::string program = folder_.string() + "/program/";
    std::filesystem::copy(SILVARONE_DATA_DIR, program, std::filesystem::copy_options::recursive);
    return program;
  }
  // Runs `act` on the next modal window as soon as it shows (a window the
  // test opens on purpose); the watchdog leaves it alone.
  void WhenModal(std::function<void(QWidget*)> act) {
    ++expectedModals_;
    QTimer::singleShot(0, [this, act] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) {
        --expectedModals_;
        WhenModal(act);
        return;
      }
      act(modal);
      --expectedModals_;
    });
  }
  gui::MainWindow& window() { return *window_; }

  ScriptedDialogs presenter;
  WindowModel model{presenter};

 private:
  QTimer watchdog_;
  int expectedModals_ = 0;
  std::unique_ptr<gui::MainWindow> window_;
};

}  // namespace silvarone::testing
