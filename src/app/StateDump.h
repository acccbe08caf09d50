#pragma once
// The window models and the program's state as JSON, for the headless
// driver's "dump": every control by its name with the properties that apply.
#include <QJsonObject>

#include "app/Controller.h"

namespace kt520::app {

QJsonObject windowJson(ui::MainForm& window);
QJsonObject cardJson(ui::CardForm& card);
// linkState, runMode, ModelInfo, LanguageCode, the fstr fields, announceConnect, dataFolder.
QJsonObject stateJson(const Controller& controller);

}  // namespace kt520::app
