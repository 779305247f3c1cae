// The captions of the main window in German and English: one row per object
// (object name, German, English), the items of the lists the program fills
// at run time, and the captions that follow the gear type. The language
// follows the program's own setting, not the system's, and the texts are
// fixed, so they are data here rather than translation files.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/gear.h"

namespace silvarone {

struct CaptionRow {
  std::string_view object;
  std::string_view german;
  std::string_view english;
};

// The fixed captions, in the order the window applies them: menu (each
// caption marks its keyboard accelerator with "&"), page tabs,
// drawing data page, tolerance page, calculation page, instrument group,
// decimal places group, project page. (The window title is built from the
// version, see WindowTitle.)
std::span<const CaptionRow> CaptionTable();

// The caption of an object in the language; empty for an object without one.
std::string_view Caption(std::string_view object, Language language);

// The menus of the main window and their entries in order, separators left
// out: first the menu bar (menu ""), then each menu by its object name.
struct MenuRow {
  std::string_view menu;
  std::vector<std::string_view> entries;
};
std::span<const MenuRow> MenuTable();

// Items of a list the program fills at run time, in the language.
struct ListItemsRow {
  std::string_view object;
  std::vector<std::string_view> german;
  std::vector<std::string_view> english;
};
std::span<const ListItemsRow> ListItemsTable();
std::vector<std::string> ListItems(std::string_view object, Language language);

// "Silvaronen-Messung   V.: 3.3.8   02.10.2018" and its English twin.
std::string WindowTitle(Language language);

// The captions of the tooth count group, which name teeth for an external
// and gaps for an internal gear: Messzaehne_Box, Messzahnauswahl, Label52,
// Label16.
std::vector<std::pair<std::string_view, std::string_view>> ToothCountCaptions(Language language,
                                                                              bool external);

// Horizontal position of UpDown1 beside the page tabs, which are wider in German.
int UpDownPosition(Language language);

// The instrument picture of the language, a file name in the pictures folder.
std::string_view InstrumentPicture(Language language);

}  // namespace silvarone
