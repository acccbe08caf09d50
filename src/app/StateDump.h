#pragma once
// The window models and the program's state as JSON, for the headless
// driver's "dump": every control by its name with the properties that apply.
#include <QJsonObject>

#include "app/MainWindow.h"

namespace kt520::app {

QJsonObject windowJson(ui::MainWindowModel& window);
QJsonObject cardJson(ui::CardDialogModel& card);
// linkState, runMode, ModelInfo, LanguageCode, the fstr fields, announceConnect, dataFolder.
QJsonObject stateJson(MainWindow& main, const std::string& runMode);

}  // namespace kt520::app
