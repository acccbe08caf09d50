#include "app/DataFolder.h"

#include <QFile>
#include <QSaveFile>

namespace kt520::app {
namespace {

QString iniPath(const std::string& dataFolderPath) {
    return QString::fromStdString(dataFolderPath) + QLatin1String(kFolderIniName);
}

}  // namespace

void createFolderIniIfMissing(const std::string& dataFolderPath) {
    QFile file(iniPath(dataFolderPath));
    if (file.exists()) return;
    // NewOnly: should another program create it meanwhile, theirs stays.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return;
    file.write(QByteArray(kFolderIniFirstLine) + "\r\n");
}

std::string readFolderIni(const std::string& dataFolderPath) {
    QFile file(iniPath(dataFolderPath));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    return line.toStdString();
}

bool writeFolderIni(const std::string& dataFolderPath, const std::string& line) {
    QSaveFile file(iniPath(dataFolderPath));
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QByteArray::fromStdString(line) + "\r\n");
    return file.commit();
}

}  // namespace kt520::app
