#pragma once
// Where the program keeps its history: the server of --history-db, else the
// server that "History.ini" in the data folder names, else "history.sqlite"
// in the data folder.
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "history/HistoryTarget.h"

namespace kt520::app {

// None, with `error` set, when the URL given names no server.
[[nodiscard]] std::optional<history::Target> historyTarget(const Options& options,
                                                           const DataFolder& data,
                                                           std::string& error);

}  // namespace kt520::app
