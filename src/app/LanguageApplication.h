#pragma once
// What the language file changes on the two windows: the captions of the
// section labels, the frames, the card buttons, the tilt check box and the
// window title; and the Japanese face on every control that shows text.
#include "lang/LanguageFile.h"
#include "ui/MainForm.h"

namespace kt520::app {

// Sets the captions the file's keys name (the language code is the file's own).
void applyLanguageCaptions(const lang::LanguageFile& file, ui::MainForm& window,
                           ui::CardForm& card);

// Puts the Japanese face on every control of both windows that shows text.
void applyJapaneseFont(ui::MainForm& window, ui::CardForm& card);

}  // namespace kt520::app
