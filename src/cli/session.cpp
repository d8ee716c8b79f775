#include "cli/session.h"

#include <QString>

#include "qt/app_folders.h"

namespace hvt::cli {

Session::Session(CommandIo& io)
    : io_(io),
      context_(AppContext::Start(LocateAppFolders(QString::fromStdString(io.Home)), SystemLocaleName())),
      prompter_(io.Err) {}

int Session::Fail(std::string_view command, std::string_view message, int exitCode) {
  io_.Err << "hvt7300-cli " << command << ": " << message << "\n";
  return exitCode;
}

std::optional<BandVariant> ParseBandOption(std::string_view text) {
  if (text == "0") return BandVariant::Restricted;
  if (text == "1") return BandVariant::Full;
  return std::nullopt;
}

}  // namespace hvt::cli
