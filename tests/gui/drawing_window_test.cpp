// The drawing window opened from the menu: it follows every calculation,
// zooms and pans, fits the gear or the measured region, and saves what it
// shows as an SVG that Qt's renderer reads back with its dimension texts.
#include "gui/drawing_window.h"

#include <QPushButton>
#include <QSvgRenderer>
#include <QWheelEvent>
#include <cstdlib>

#include "window_fixture.h"

namespace silvarone {
namespace {

using DrawingWindows = testing::WindowTest;

double Width(const DrawingBounds& b) {
  return b.right - b.left;
}

class DrawingWindowTest : public DrawingWindows {
 protected:
  gui::DrawingWindow* OpenDrawing() {
    Open();
    model.ChangePage(Page::kCalculation);
    Trigger("Zeichnung1");
    QApplication::processEvents();
    gui::DrawingWindow* window = this->window().drawingWindow();
    EXPECT_NE(window, nullptr);
    return window;
  }
  // The window as it shows, for a person to look at: into the folder that
  // SILVARONE_DRAWING_SHOTS names, when it names one.
  void Keep(QWidget* window, const char* name) {
    const char* folder = std::getenv("SILVARONE_DRAWING_SHOTS");
    if (folder == nullptr) return;
    window->grab().save(QString(folder) + "/" + name);
  }
};

TEST_F(DrawingWindowTest, OpensFromTheMenuAndFollowsTheCalculation) {
  gui::DrawingWindow* window = OpenDrawing();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(window->windowTitle(), "Messung maßstäblich");
  EXPECT_EQ(window->findChild<QPushButton*>("SavePictureButton")->text(), "Bild speichern");
  ASSERT_TRUE(window->canvas()->view().drawing.valid);
  EXPECT_EQ(window->canvas()->view().spanLabel, model.drawingView().spanLabel);
  Keep(window, "drawing_de.png");

  // Another gear, calculated: the open window shows it at once.
  const double before = window->canvas()->view().drawing.referenceCircle.radius;
  model.ChangePage(Page::kDrawing1);
  Type("Input_z", "31");
  model.ChangePage(Page::kCalculation);
  QApplication::processEvents();
  EXPECT_NE(window->canvas()->view().drawing.referenceCircle.radius, before);
  EXPECT_EQ(window->canvas()->view().spanLabel, model.drawingView().spanLabel);

  model.SwitchLanguage(kEnglish);
  QApplication::processEvents();
  EXPECT_EQ(window->windowTitle(), "Measurement to scale");
  EXPECT_EQ(window->findChild<QPushButton*>("SavePictureButton")->text(), "Save picture");
  Keep(window, "drawing_en.png");
}

TEST_F(DrawingWindowTest, ZoomPanAndFit) {
  gui::DrawingWindow* window = OpenDrawing();
  ASSERT_NE(window, nullptr);
  gui::DrawingCanvas* canvas = window->canvas();
  const DrawingBounds whole = canvas->VisibleRegion();
  // One notch of the wheel forward: 1.25 times closer about the pointer.
  const QPointF middle(canvas->width() / 2.0, canvas->height() / 2.0);
  QWheelEvent wheel(middle, canvas->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  EXPECT_NEAR(Width(canvas->VisibleRegion()), Width(whole) / 1.25, 1e-9 * Width(whole));
  // A drag of 100 pixels to the right moves the drawing with it.
  const DrawingBounds zoomed = canvas->VisibleRegion();
  const double mmPerPixel = Width(zoomed) / canvas->width();
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
  QMouseEvent move(QEvent::MouseMove, QPointF(300, 200), canvas->mapToGlobal(QPointF(300, 200)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(canvas, &move);
  EXPECT_NEAR(canvas->VisibleRegion().left, zoomed.left - 100 * mmPerPixel, 1e-9 * Width(whole));

  Click("FitMeasuredButton");
  const DrawingBounds measured = canvas->view().drawing.measuredBounds;
  const DrawingBounds shown = canvas->VisibleRegion();
  EXPECT_LE(shown.left, measured.left);
  EXPECT_GE(shown.right, measured.right);
  EXPECT_LT(Width(shown), Width(whole));
  Click("FitGearButton");
  EXPECT_NEAR(Width(canvas->VisibleRegion()), Width(whole), 1e-9 * Width(whole));
}

TEST_F(DrawingWindowTest, SavedSvgParsesAndCarriesTheDimensions) {
  gui::DrawingWindow* window = OpenDrawing();
  ASSERT_NE(window, nullptr);
  const std::string svg = folder_.string() + "/m.svg";
  const std::string png = folder_.string() + "/m.png";
  presenter.files = {svg, png};
  window->SavePicture();
  window->SavePicture();
  QSvgRenderer renderer(QString::fromStdString(svg));
  EXPECT_TRUE(renderer.isValid());
  const std::string text = Read(svg);
  const DrawingView view = model.drawingView();
  for (const std::string& label : {view.spanLabel, view.ballLabel, view.checkLabel}) {
    ASSERT_FALSE(label.empty());
    EXPECT_NE(text.find(label), std::string::npos) << label;
  }
  QImage picture(QString::fromStdString(png));
  EXPECT_EQ(picture.width(), 1200);
}

TEST_F(DrawingWindowTest, AFolderInThePictureSPlaceIsRefused) {
  gui::DrawingWindow* window = OpenDrawing();
  ASSERT_NE(window, nullptr);
  const std::string folder = folder_.string() + "/taken.svg";
  std::filesystem::create_directories(folder);
  presenter.files = {folder};
  window->SavePicture();
  EXPECT_EQ(presenter.TakeTexts(),
            std::vector<std::string>{"Das Bild " + folder + " kann nicht geschrieben werden."});
}

}  // namespace
}  // namespace silvarone
