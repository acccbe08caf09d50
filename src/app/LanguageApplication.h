#pragma once
// What the language file changes on the two windows: the captions of the
// section labels, the frames, the card buttons, the tilt check box and the
// window title, the language code, and the Japanese face.
#include <map>
#include <optional>
#include <string>

#include "ui/MainWindowModel.h"

namespace kt520::app {

// The value of each key letter "A" to "Y" that the file sets (the last line wins).
using LanguageValues = std::map<char, std::string>;

inline constexpr const char* kLanguageFileName = "520Language.ini";
// The face every text control shows in Japanese.
inline constexpr const char* kJapaneseFace = "ＭＳゴシック";

// The keys of "520Language.ini" in `programFolder`; nothing when the file is missing.
std::optional<LanguageValues> readLanguageFile(const std::string& programFolder);

// Sets the captions the keys name and `languageCode` from "X:".
void applyLanguage(const LanguageValues& values, ui::MainWindowModel& window,
                   ui::CardDialogModel& card, std::string& languageCode);

// Puts the Japanese face on every control of both windows that shows text.
void applyJapaneseFont(ui::MainWindowModel& window, ui::CardDialogModel& card);

}  // namespace kt520::app
