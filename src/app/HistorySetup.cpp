#include "app/HistorySetup.h"

#include <QDir>

namespace kt520::app {

std::optional<history::Target> historyTarget(const Options& options, const DataFolder& data,
                                             std::string& error) {
    const std::string url = options.historyServer.value_or(history::configuredServer(data.path()));
    if (!url.empty()) {
        auto target = history::serverTarget(url, error);
        if (!target) error = "--history-db: " + error;
        return target;
    }
    return history::sqliteTarget(
        QDir(QString::fromStdString(data.path())).filePath(history::kHistoryFileName));
}

}  // namespace kt520::app
