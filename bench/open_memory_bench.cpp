// The desktop program's resident memory over many File > Open, through the main window's command
// and the file dialog the user sees:
//   hvt_open_memory_bench [OPENS]          every way below, each in a process of its own
//   hvt_open_memory_bench WAY [OPENS]      one way: open, cancel, file, read or render
// open: the dialog is answered with a configuration file; cancel: the dialog is cancelled;
// file: the file is opened and the window redrawn without a dialog; read: the file is opened
// only; render: the window is redrawn only. OPENS defaults to 1000.
// Prints VmRSS after the first open and every tenth of the way; exits non-zero when the last is
// more than 5 MiB above the first. Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/radio_session.h"
#include "app/virtual_radio_memory.h"
#include "app/workspace.h"
#include "qt/app_folders.h"
#include "qt/radio_link.h"
#include "ui/gui_prompter.h"
#include "ui/main_window.h"

namespace {

constexpr double kMostGrowthMiB = 5.0;

double HeapMiB() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// Answers the file dialog as soon as it is up: the file chosen, or Cancel when `file` is empty.
void AnswerTheDialog(const QString& file) {
  QTimer::singleShot(0, [file] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      AnswerTheDialog(file);
      return;
    }
    if (file.isEmpty()) {
      dialog->reject();
    } else {
      dialog->selectFile(file);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog keeps its own accept protected
    }
  });
}

int RunWay(const std::string& way, int opens) {
  int argc = 1;
  char name[] = "hvt_open_memory_bench";
  char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  const hvt::AppFolders folders = hvt::LocateAppFolders();
  hvt::AppContext context = hvt::AppContext::Start(folders, "en_US");
  hvt::GuiPrompter prompter(QStringLiteral("HVT7300"),
                            [](QWidget*, std::string_view) { return std::optional<std::string>(); });
  hvt::Workspace workspace(context, prompter);
  hvt::RadioLink link(hvt::VirtualRadioMemory::FileIn(folders.Settings));
  hvt::RadioSession session(context, workspace, link.Port(), link.Timer(), prompter);
  hvt::MainWindow window(context, workspace, prompter, link, session, false);
  prompter.SetParent(&window);
  window.resize(1280, 900);
  window.show();
  QApplication::processEvents();

  const std::filesystem::path file = folders.Data / "Init" / "HVT7300_1.dat";
  const QString fileText = QString::fromStdU16String(file.u16string());
  const auto openOnce = [&] {
    if (way == "file" || way == "read") static_cast<void>(workspace.OpenFile(file));
    if (way == "file" || way == "render") window.RenderAll();
    if (way == "open" || way == "cancel") {
      AnswerTheDialog(way == "open" ? fileText : QString());
      window.Run(hvt::Command::Open);
    }
    QApplication::processEvents();
  };

  openOnce();
  const double first = ResidentMiB();
  std::printf("%-6s after open 1: %7.1f MiB (heap in use %.1f MiB)\n", way.c_str(), first, HeapMiB());
  double last = first;
  for (int open = 2; open <= opens; ++open) {
    openOnce();
    if (open % std::max(1, opens / 10) == 0 || open == opens) {
      last = ResidentMiB();
      std::printf("%-6s after open %d: %7.1f MiB (heap in use %.1f MiB)\n", way.c_str(), open, last,
                  HeapMiB());
      std::fflush(stdout);
    }
  }
  const double perOpen = (last - first) * 1024.0 / std::max(1, opens - 1);
  const bool within = last - first <= kMostGrowthMiB;
  std::printf("%-6s grew %.1f MiB over %d opens (%.1f KiB each): %s\n", way.c_str(), last - first, opens - 1,
              perOpen, within ? "within 5 MiB" : "MORE THAN 5 MiB");
  if (way == "open" && workspace.FileName() != file) {
    std::printf("open   the file was not opened\n");
    return 1;
  }
  return within ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string way;
  int opens = 1000;
  int next = 1;
  if (next < argc && std::string(argv[next]).find_first_not_of("0123456789") != std::string::npos)
    way = argv[next++];
  if (next < argc) opens = std::max(2, std::atoi(argv[next]));
  if (!way.empty()) return RunWay(way, opens);

  int failures = 0;
  for (const char* each : {"open", "cancel", "file"}) {
    const pid_t child = ::fork();
    if (child == 0) {
      const int exitCode = RunWay(each, opens);
      std::fflush(stdout);
      ::_exit(exitCode);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) ++failures;
  }
  return failures == 0 ? 0 : 1;
}
