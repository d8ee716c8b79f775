// The desktop program: start-up, the splash screen, then the main window.
//   hvt7300 [FILE.dat]     opens the file at start
// HVT7300_SPLASH_MS shortens (or lengthens) the splash screen's 2000 ms; HVT7300_REPORT_STARTUP=1
// prints when the main window was first painted after the splash handed over (for the benchmark).

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/port_choice.h"
#include "app/radio_session.h"
#include "app/virtual_radio_memory.h"
#include "app/workspace.h"
#include "files/test_data_file.h"
#include "qt/app_folders.h"
#include "qt/radio_link.h"
#include "qt/serial_ports.h"
#include "ui/first_paint_report.h"
#include "ui/gui_prompter.h"
#include "ui/main_window.h"
#include "ui/password_dialog.h"
#include "ui/qt_translations.h"
#include "ui/splash_screen.h"

namespace {

constexpr int kSplashMilliseconds = 2000;

// Without a display Qt would abort with a message about plugins; say what to do instead.
bool HasDisplay() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
  return true;
#endif
}

int SplashMilliseconds() {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue("HVT7300_SPLASH_MS", &ok);
  return ok && value >= 0 ? value : kSplashMilliseconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "hvt7300: no display found (DISPLAY is not set); run it in a desktop session, or use "
                 "the command-line tool hvt7300-cli\n");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("HVT7300"));
  QApplication::setOrganizationName(QStringLiteral("HVT7300"));

  const hvt::AppFolders folders = hvt::LocateAppFolders();
  QApplication::setWindowIcon(QIcon(QString::fromStdU16String((folders.Data / "hvt7300.png").u16string())));
  if (const auto missing = hvt::MissingDataFiles(folders.Data); !missing.empty()) {
    QMessageBox::critical(nullptr, QStringLiteral("HVT7300"),
                          QStringLiteral("The data folder %1 is incomplete: %2 is missing.")
                              .arg(QString::fromStdU16String(folders.Data.u16string()),
                                   QString::fromStdU16String(missing.front().u16string())));
    return 1;
  }
  hvt::AppContext context = hvt::AppContext::Start(folders, hvt::SystemLocaleName());
  hvt::UseQtTranslations(context.LanguageId());

  hvt::SplashScreen splash(context, SplashMilliseconds());
  splash.Start();
  QApplication::processEvents();

  if (context.FirstRun()) static_cast<void>(context.MarkFirstRunDone());
  // A saved port that has gone is replaced by the first one present.
  context.SetPortName(hvt::PortAtStartup(context.PortName(), hvt::AvailableSerialPorts()));
  static_cast<void>(context.SavePortNumber());
  const bool factory = hvt::ReadFactoryMarker(folders.Data) || hvt::ReadFactoryMarker(folders.Settings);

  hvt::GuiPrompter prompter(QStringLiteral("HVT7300"),
                            [&context](QWidget* parent, std::string_view remembered) {
                              return hvt::RunPasswordDialog(parent, context.Texts(), remembered);
                            });
  hvt::Workspace workspace(context, prompter);
  hvt::RadioLink link(hvt::VirtualRadioMemory::FileIn(folders.Settings));
  hvt::RadioSession session(context, workspace, link.Port(), link.Timer(), prompter);
  hvt::MainWindow window(context, workspace, prompter, link, session, factory);
  prompter.SetParent(&window);

  const QStringList arguments = QApplication::arguments();
  QObject::connect(&splash, &hvt::SplashScreen::finished, &window, [&window, &arguments] {
    if (!qEnvironmentVariableIsEmpty("HVT7300_REPORT_STARTUP")) {
      QElapsedTimer handOver;
      handOver.start();
      new hvt::FirstPaintReport(window, handOver, "main_painted_after_handover_ms");
    }
    window.show();
    if (arguments.size() > 1) {
      const QString file = arguments.at(1);
      QTimer::singleShot(0, &window, [&window, file] { window.OpenAtStart(file); });
    }
  });
  return QApplication::exec();
}
