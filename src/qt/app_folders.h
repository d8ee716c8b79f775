#pragma once

#include <QString>

#include "app/app_context.h"

namespace hvt {

// The data folder beside the executable ("data") or under the install prefix
// ("share/hvt7300"); settings go there when it is writable, else to the user's config folder.
// Backups of what radios held go to the user's data folder. A non-empty home replaces the
// search: that folder holds data, settings and backups alike.
AppFolders LocateAppFolders(const QString& home = {});

// The system locale as "zh_CN", "en_US", ...
std::string SystemLocaleName();

}  // namespace hvt
