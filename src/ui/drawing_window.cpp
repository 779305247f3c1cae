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
  if (view.drawing.AnyFailed()) {
    view.note = english ? "Red: contact off the usable flank (d_Nf to d_Na) or ball not "
                          "standing out over the tips."
                        : "Rot: Berührpunkt außerhalb der Nutzflanke (d_Nf bis d_Na) oder Kugel "
                          "ragt nicht über die Zahnköpfe.";
  }
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
