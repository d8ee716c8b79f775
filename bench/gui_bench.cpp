// Figures of the desktop program that need no outside observer:
//   hvt_gui_bench full-file PATH   writes a configuration with all 203 channels in use
//   hvt_gui_bench redraw           times the full redraw of the channel grid (203 channels),
//                                  painting included; median of 101 after a warm-up
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/radio_session.h"
#include "app/virtual_radio_memory.h"
#include "app/workspace.h"
#include "files/configuration_file.h"
#include "qt/app_folders.h"
#include "qt/radio_link.h"
#include "ui/main_window.h"

namespace {

// Every slot in use, each channel with tones so that every column has text to draw.
void FillEveryChannel(hvt::Configuration& configuration) {
  configuration.Channels = {};
  for (int number = 1; number <= hvt::kChannelCount; ++number) {
    const std::string rx = number % 2 == 0 ? "438.125" : "145.500";
    hvt::ChannelRecord channel = hvt::CreateChannel(number, rx);
    channel.DecodeType = 1;
    channel.DecodeCtcss = static_cast<std::int16_t>(number % 51);
    channel.EncodeType = 2;
    channel.EncodeDcs = static_cast<std::int16_t>(number);
    channel.Name = "CH" + std::to_string(number);
    static_cast<void>(hvt::AddChannel(configuration.Channels, channel));
  }
}

class ScratchPrompter final : public hvt::Prompter {
 public:
  hvt::PromptAnswer Ask(std::string_view, hvt::PromptButtons, hvt::PromptIcon) override {
    return hvt::PromptAnswer::Cancel;
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskPassword(std::string_view) override { return std::nullopt; }
};

int Redraw(QApplication& app) {
  const hvt::AppFolders folders = hvt::LocateAppFolders();
  hvt::AppContext context = hvt::AppContext::Start(folders, "en_US");
  ScratchPrompter prompter;
  hvt::Workspace workspace(context, prompter);
  FillEveryChannel(workspace.Current());
  hvt::RadioLink link(hvt::VirtualRadioMemory::FileIn(folders.Settings));
  hvt::RadioSession session(context, workspace, link.Port(), link.Timer(), prompter);
  hvt::MainWindow window(context, workspace, prompter, link, session, false);
  window.resize(1280, 900);
  window.show();
  QApplication::processEvents();

  std::vector<double> texts;
  std::vector<double> total;
  for (int run = 0; run < 102; ++run) {
    QElapsedTimer clock;
    clock.start();
    window.RedrawGrid();
    const double drawn = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    window.Grid().viewport()->repaint();
    if (run == 0) continue;
    texts.push_back(drawn);
    total.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
  }
  std::ranges::sort(texts);
  std::ranges::sort(total);
  std::printf(
      "grid_redraw_ms median %.3f  min %.3f  max %.3f  (of which the 203 rows' texts: median %.3f)"
      "  %d visible rows painted\n",
      total[total.size() / 2], total.front(), total.back(), texts[texts.size() / 2],
      window.Grid().rowAt(window.Grid().viewport()->height() - 1) + 1);
  static_cast<void>(app);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "full-file") {
    QCoreApplication app(argc, argv);
    hvt::Configuration configuration;
    const hvt::AppFolders folders = hvt::LocateAppFolders();
    hvt::AppContext context = hvt::AppContext::Start(folders, "en_US");
    ScratchPrompter prompter;
    hvt::Workspace workspace(context, prompter);
    configuration = workspace.Current();
    FillEveryChannel(configuration);
    return hvt::WriteConfigurationFile(argv[2], configuration) == hvt::FileCheck::Ok ? 0 : 1;
  }
  if (argc == 2 && std::string_view(argv[1]) == "redraw") {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return Redraw(app);
  }
  std::fprintf(stderr, "usage: hvt_gui_bench full-file PATH | redraw\n");
  return 2;
}
