#pragma once

// Qt's own texts (the standard buttons of message boxes and dialogs, the file, print and print
// preview dialogs) in the program's language, from the translations installed with Qt.

#include <QLocale>

namespace hvt {

// Replaces the translations installed for the previous language; English needs none. Missing
// translation files leave Qt's English texts. Returns false when a file the language needs is not
// installed.
bool UseQtTranslations(int languageId);

// How dates and times read in the language: Chinese (China), or the system's for English.
QLocale LocaleOf(int languageId);

}  // namespace hvt
