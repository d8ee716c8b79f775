#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <array>
#include <memory>

#include "i18n/language.h"

namespace hvt {

namespace {

// The Qt modules whose texts the program shows.
constexpr std::array kModules = {"qtbase", "qtserialport"};

struct Installed {
  int LanguageId = kEnglish;
  std::array<std::unique_ptr<QTranslator>, kModules.size()> Translators;
};

Installed& Current() {
  static Installed installed;
  return installed;
}

}  // namespace

bool UseQtTranslations(int languageId) {
  Installed& installed = Current();
  const bool same = installed.LanguageId == languageId &&
                    (languageId == kEnglish || installed.Translators.front() != nullptr);
  if (same) return true;
  for (auto& translator : installed.Translators) {
    if (translator) QCoreApplication::removeTranslator(translator.get());
    translator.reset();
  }
  installed.LanguageId = languageId;
  if (languageId != kChinese) return true;

  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  bool complete = true;
  for (std::size_t i = 0; i < kModules.size(); ++i) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString::fromLatin1(kModules[i]) + QStringLiteral("_zh_CN"), folder)) {
      complete = false;
      continue;
    }
    QCoreApplication::installTranslator(translator.get());
    installed.Translators[i] = std::move(translator);
  }
  return complete;
}

QLocale LocaleOf(int languageId) {
  return languageId == kChinese ? QLocale(QLocale::Chinese, QLocale::China) : QLocale();
}

}  // namespace hvt
