#include "app/DataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kt520::app {
namespace {

const QString kMaker = QStringLiteral("Korvane Profilux");
const QString kProduct = QStringLiteral("KT-520");

DataFolder chainUnder(const QString& base) {
    const QString maker = base + QLatin1Char('/') + kMaker;
    return {{base.toStdString(), maker.toStdString(),
             (maker + QLatin1Char('/') + kProduct).toStdString()}};
}

QString iniPath(const std::string& dataFolderPath) {
    return QString::fromStdString(dataFolderPath) + QLatin1String(kFolderIniName);
}

}  // namespace

std::string DataFolder::path() const {
    return QDir::toNativeSeparators(QDir::cleanPath(QString::fromStdString(chain.back())) +
                                    QLatin1Char('/'))
        .toStdString();
}

DataFolder defaultDataFolder() {
#ifdef Q_OS_WIN
    return chainUnder(QStringLiteral("C:/ProgramData"));
#else
    // Per machine when this user may write there (an installed system or root),
    // otherwise the user's own data folder, so that the program always starts.
    const QString system = QStringLiteral("/var/lib");
    const DataFolder machine = chainUnder(system);
    const QFileInfo product(QString::fromStdString(machine.chain.back()));
    const QFileInfo maker(QString::fromStdString(machine.chain[1]));
    const bool usable = product.exists() ? product.isWritable()
                        : maker.exists() ? maker.isWritable()
                                         : QFileInfo(system).isWritable();
    if (usable) return machine;
    return chainUnder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}

DataFolder dataFolderAt(const std::string& folder) {
    return {{QDir::cleanPath(QDir(QString::fromStdString(folder)).absolutePath()).toStdString()}};
}

void createMissingFolders(const DataFolder& folder) {
    for (const std::string& level : folder.chain) {
        const QString path = QString::fromStdString(level);
        if (!QFileInfo::exists(path)) QDir().mkpath(path);
    }
}

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
