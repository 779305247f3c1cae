#include "ui/drawing_window.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace silvarone {
namespace {

// More teeth than this and the whole gear shows the measurement too small.
constexpr double kTeethForMeasuredRegion = 150.0;

std::string Label(std::string_view symbol, const std::string& number, std::string_view note) {
  if (number.empty()) return "";
  std::string label = std::string(symbol) + " = " + number + " mm";
  if (!note.empty()) label += " (" + std::string(note) + ")";
  return label;
}

// Under the drawing: what each kind of red mark means, only the kinds shown.
std::string FailureNote(const MeasurementDrawing& m, bool english) {
  std::string note;
  const auto add = [&](bool shown, const char* german, const char* inEnglish) {
    if (!shown) return;
    note += note.empty() ? (english ? "Red: " : "Rot: ") : "; ";
    note += english ? inEnglish : german;
  };
  add(m.AnyContactFailed(), "Berührpunkt außerhalb der Nutzflanke (d_Nf bis d_Na)",
      "contact off the usable flank (d_Nf to d_Na)");
  add(m.AnyBallFailed(), "Kugel ragt nicht über die Zahnköpfe oder findet keinen Sitz",
      "ball not standing out over the tips or finding no seat");
  add(m.AnyAnvilFailed(), "Zahnbreite b_w trägt die Messflächen nicht",
      "face width b_w does not carry the anvils");
  if (!note.empty()) note += ".";
  return note;
}

}  // namespace

DrawingView MakeDrawingView(const DrawingInput& input, Language language) {
  const bool english = language == kEnglish;
  DrawingView view;
  view.title = DrawingWindowTexts(language).front().second;
  view.drawing = BuildMeasurementDrawing(input);
  if (!view.drawing.valid) {
    view.note = english ? "No drawing: the gear data give no gear to draw (5 to 1000 teeth)."
                        : "Keine Zeichnung: die Verzahnungsdaten ergeben kein Zahnrad "
                          "(5 bis 1000 Zähne).";
    return view;
  }
  const bool helical = view.drawing.helical;
  view.spanLabel =
      Label("W_k", input.spanText, helical ? (english ? "normal section" : "Normalschnitt") : "");
  view.ballLabel = Label("M_dk", input.ballDimensionText, "");
  view.checkLabel =
      Label("Q", input.checkDimensionText, helical ? (english ? "in space" : "räumlich") : "");
  view.note = FailureNote(view.drawing, english);
  view.startOnMeasuredRegion = std::fabs(input.z) > kTeethForMeasuredRegion;
  return view;
}

WindowTexts DrawingWindowTexts(Language language) {
  const bool english = language == kEnglish;
  return {{"TDrawingWindow", english ? "Measurement to scale" : "Messung maßstäblich"},
          {"FitGearButton", english ? "Whole gear" : "Ganzes Rad"},
          {"FitMeasuredButton", english ? "Measured region" : "Messbereich"},
          {"SavePictureButton", english ? "Save picture" : "Bild speichern"},
          {"CloseButton", english ? "Close" : "Beenden"}};
}

PictureFormat PictureFormatOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find_first_of("/\\", dot) != std::string::npos)
    return PictureFormat::kUnknown;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "svg") return PictureFormat::kSvg;
  if (extension == "png") return PictureFormat::kPng;
  return PictureFormat::kUnknown;
}

}  // namespace silvarone
