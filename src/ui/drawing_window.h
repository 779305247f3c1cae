// The window of the measurement drawn to scale: the drawing of the last
// calculation, the texts its dimensions carry in the language of the
// moment, the window's captions, and how a picture of it is named. The Qt
// window and the command line's `diagram` paint what this gives.
#pragma once

#include <string>

#include "core/gear.h"
#include "device/measurement_drawing.h"
#include "ui/secondary_windows.h"

namespace silvarone {

struct DrawingView {
  MeasurementDrawing drawing;
  std::string title;  // of the window and of a saved picture
  // "W_k = 15.321 mm", with "(Normalschnitt)" for a helical gear; the same
  // for M_dk and Q.
  std::string spanLabel;
  std::string ballLabel;
  std::string checkLabel;
  // Under the drawing: which marks are red, or why there is no drawing.
  std::string note;
  // A gear with many teeth opens on the measured region, not the whole gear.
  bool startOnMeasuredRegion = false;
};

DrawingView MakeDrawingView(const DrawingInput& input, Language language);

// TDrawingWindow: its title and the buttons FitGearButton, FitMeasuredButton,
// SavePictureButton and CloseButton.
WindowTexts DrawingWindowTexts(Language language);

// The kinds of picture the drawing is saved as, chosen by the file name.
enum class PictureFormat { kSvg, kPng, kUnknown };
PictureFormat PictureFormatOf(const std::string& path);

}  // namespace silvarone
