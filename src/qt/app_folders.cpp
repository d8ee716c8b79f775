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

}  // namespace

AppFolders LocateAppFolders(const QString& home) {
  if (!home.isEmpty()) return {ToPath(home), ToPath(home), {}};

  const QDir executableDir(QCoreApplication::applicationDirPath());
  QString data = executableDir.filePath(QStringLiteral("data"));
  if (!QFileInfo(data).isDir()) {
    data = QDir::cleanPath(executableDir.filePath(QStringLiteral("../share/hvt7300")));
  }
  const QString settings =
      IsWritableFolder(data) ? data : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const QString backups =
      QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/backups");
  return {ToPath(data), ToPath(settings), ToPath(backups)};
}

std::string SystemLocaleName() { return QLocale::system().name().toStdString(); }

}  // namespace hvt
