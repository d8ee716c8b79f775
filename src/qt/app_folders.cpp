#include "qt/app_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

namespace hvt {

namespace {

std::filesystem::path ToPath(const QString& folder) { return std::filesystem::path(folder.toStdString()); }

bool IsWritableFolder(const QString& folder) {
  const QFileInfo info(folder);
  return info.isDir() && info.isWritable();
}

// $XDG_CONFIG_HOME/hvt7300, one folder for both programs whatever their application names.
QString UserSettingsFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("hvt7300"));
}

// $XDG_DATA_HOME/hvt7300/backups, likewise shared.
QString UserBackupFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
      .filePath(QStringLiteral("hvt7300/backups"));
}

}  // namespace

AppFolders LocateAppFolders(const QString& home) {
  if (!home.isEmpty()) return {ToPath(home), ToPath(home), {}};

  const QDir executableDir(QCoreApplication::applicationDirPath());
  const QString beside = executableDir.filePath(QStringLiteral("data"));
  if (QFileInfo(beside).isDir()) {
    return {ToPath(beside), ToPath(IsWritableFolder(beside) ? beside : UserSettingsFolder()),
            ToPath(UserBackupFolder())};
  }
  // share/ may well be writable (a prefix in the user's home) but belongs to the package.
  const QString installed = QDir::cleanPath(executableDir.filePath(QStringLiteral("../share/hvt7300")));
  return {ToPath(installed), ToPath(UserSettingsFolder()), ToPath(UserBackupFolder())};
}

std::string SystemLocaleName() { return QLocale::system().name().toStdString(); }

}  // namespace hvt
