// The drawing window's model: the drawing of the last calculation carries the
// numbers the calculation page shows, in the language of the moment, and
// keeps them until the next calculation.
#include "ui/drawing_window.h"

#include <gtest/gtest.h>

#include "model_fixture.h"

namespace silvarone {
namespace {

class DrawingWindow : public Window {};

// Trims the two blanks the check dimension's field shows its value after.
std::string Value(const std::string& text) {
  return text.starts_with("  ") ? text.substr(2) : text;
}

TEST_F(DrawingWindow, DimensionsCarryThePageNumbers) {
  Start();
  model.ChangePage(Page::kCalculation);
  const DrawingView view = model.drawingView();
  ASSERT_TRUE(view.drawing.valid);
  EXPECT_EQ(view.spanLabel, "W_k = " + Text("Edit100") + " mm");
  EXPECT_EQ(view.ballLabel, "M_dk = " + Text("Edit200") + " mm");
  EXPECT_EQ(view.checkLabel, "Q = " + Value(Text("Kontrollmass")) + " mm");
}

TEST_F(DrawingWindow, HelicalLabelsSayWhereTheyMeasureInBothLanguages) {
  Start();
  ASSERT_TRUE(Enter("Input_beta", "15"));
  model.ChangePage(Page::kCalculation);
  EXPECT_EQ(model.drawingView().spanLabel, "W_k = " + Text("Edit100") + " mm (Normalschnitt)");
  EXPECT_EQ(model.drawingView().checkLabel,
            "Q = " + Value(Text("Kontrollmass")) + " mm (räumlich)");
  model.SwitchLanguage(kEnglish);
  EXPECT_EQ(model.drawingView().spanLabel, "W_k = " + Text("Edit100") + " mm (normal section)");
  EXPECT_EQ(model.drawingView().checkLabel,
            "Q = " + Value(Text("Kontrollmass")) + " mm (in space)");
}

TEST_F(DrawingWindow, KeepsTheLastCalculationUntilTheNext) {
  Start();
  model.ChangePage(Page::kCalculation);
  const std::string before = model.drawingView().spanLabel;
  const double radius = model.drawingView().drawing.referenceCircle.radius;
  model.ChangePage(Page::kDrawing1);
  ASSERT_TRUE(Enter("Input_z", "41"));
  // The page still shows the old numbers, so does the drawing.
  EXPECT_EQ(model.drawingView().spanLabel, before);
  EXPECT_EQ(model.drawingView().drawing.referenceCircle.radius, radius);
  model.ChangePage(Page::kCalculation);
  EXPECT_NE(model.drawingView().drawing.referenceCircle.radius, radius);
  EXPECT_EQ(model.drawingView().spanLabel, "W_k = " + Text("Edit100") + " mm");
}

TEST_F(DrawingWindow, ManyTeethOpenOnTheMeasuredRegion) {
  Start();
  ASSERT_TRUE(Enter("Input_z", "400"));
  model.ChangePage(Page::kCalculation);
  const DrawingView view = model.drawingView();
  ASSERT_TRUE(view.drawing.valid);
  EXPECT_TRUE(view.startOnMeasuredRegion);
  const DrawingBounds& region = view.drawing.measuredBounds;
  const DrawingBounds& gear = view.drawing.gearBounds;
  EXPECT_LT(region.right - region.left, (gear.right - gear.left) / 10.0);
}

// m_n 2, z 20, alpha_n 20, x 0: d_b 37.587705, d_Na 44, d_Nf 35. Over k = 6
// teeth W_k = 2 cos 20 (5.5 pi + 20 inv 20) = 33.033667 and the anvils touch
// at d_Wk = sqrt(37.587705^2 + 33.033667^2) = 50.040571, beyond d_Na; over
// k = 3 at 40.590207, on the flank. The ball 3.5 of MdK and of the instrument
// stands out (its edge at 44.929290 > 44) and touches at d_MK 40.083378.
TEST_F(DrawingWindow, RedMarksAreThePageChecksAndTheNoteSaysWhatTheyMean) {
  Start();
  model.SelectModuleSeries(kModuleManual);
  for (const auto& [field, text] :
       {std::pair{"Input_m_n", "2"}, std::pair{"Input_z", "20"}, std::pair{"Input_Calc_kM", "6"},
        std::pair{"Input_Calc_DM", "3.5"}}) {
    ASSERT_TRUE(Enter(field, text)) << field;
  }
  model.SelectBall(kBallManual);  // the instrument's ball the same, sound
  Enter("D_M_Edit", "3.5");
  model.ChangePage(Page::kCalculation);
  model.SwitchLanguage(kGerman);
  DrawingView view = model.drawingView();
  ASSERT_TRUE(view.drawing.valid);
  EXPECT_EQ(model.measurability().span.flank, FlankContact::kPastTip);
  EXPECT_TRUE(view.drawing.spanContacts[0].failed && view.drawing.spanContacts[1].failed);
  EXPECT_FALSE(view.drawing.balls[0].failed || view.drawing.anvils[0].failed);
  EXPECT_EQ(view.note, "Rot: Berührpunkt außerhalb der Nutzflanke (d_Nf bis d_Na).");
  model.SwitchLanguage(kEnglish);
  EXPECT_EQ(model.drawingView().note, "Red: contact off the usable flank (d_Nf to d_Na).");

  model.ChangePage(Page::kDrawing1);
  ASSERT_TRUE(Enter("Input_Calc_kM", "3"));
  model.ChangePage(Page::kCalculation);
  view = model.drawingView();
  EXPECT_TRUE(model.measurability().AllSound());
  EXPECT_FALSE(view.drawing.AnyFailed());
  EXPECT_EQ(view.note, "");
}

TEST(DrawingView, NoGearSaysSo) {
  const DrawingView view = MakeDrawingView(DrawingInput{}, kEnglish);
  EXPECT_FALSE(view.drawing.valid);
  EXPECT_EQ(view.note, "No drawing: the gear data give no gear to draw (5 to 1000 teeth).");
  EXPECT_TRUE(view.spanLabel.empty());
}

TEST(PictureFormat, ByTheNameOfTheFile) {
  struct Row {
    const char* path;
    PictureFormat format;
  };
  const Row rows[] = {{"a.svg", PictureFormat::kSvg},     {"/x/b.PNG", PictureFormat::kPng},
                      {"c", PictureFormat::kUnknown},     {"d.pdf", PictureFormat::kUnknown},
                      {"e.d/f", PictureFormat::kUnknown}, {"g.Svg", PictureFormat::kSvg}};
  for (const Row& row : rows)
    EXPECT_EQ(PictureFormatOf(row.path), row.format) << row.path;
}

TEST(DrawingWindowTexts, BothLanguages) {
  const WindowTexts german = DrawingWindowTexts(kGerman);
  const WindowTexts english = DrawingWindowTexts(kEnglish);
  ASSERT_EQ(german.size(), english.size());
  EXPECT_EQ(german[3],
            (std::pair<std::string, std::string>{"SavePictureButton", "Bild speichern"}));
  EXPECT_EQ(english[3], (std::pair<std::string, std::string>{"SavePictureButton", "Save picture"}));
}

}  // namespace
}  // namespace silvarone
