#pragma once

#include <QString>

#include "app/app_context.h"

namespace hvt {

// The data folder beside the executable ("data", the build tree or a copied folder) or under the
// install prefix ("share/hvt7300"). Settings and the virtual radio's memory stay beside a writable
// "data" folder; an installed program keeps them in the user's config folder ("hvt7300", shared by
// the desktop program and the command-line tool), never under share. Backups of what radios held
// go to the user's data folder ("hvt7300/backups").
// A non-empty home replaces the search: that folder holds data, settings and backups alike.
AppFolders LocateAppFolders(const QString& home = {});

// The system locale as "zh_CN", "en_US", ...
std::string SystemLocaleName();

}  // namespace hvt
