#include "app/fleet_reads.h"

#include <set>

#include "app/radio_backups.h"
#include "app/workspace.h"
#include "model/embedded_info.h"

namespace hvt {

namespace {

std::string PortFileStem(std::string_view port) {
  if (port.starts_with("/dev/")) port.remove_prefix(5);
  return RadioFileStem({}, port);
}

// A name in `folder` not taken yet: "<stem>.dat", else "<stem>-2.dat" and on.
std::filesystem::path FreeName(const std::filesystem::path& folder, const std::string& stem) {
  std::error_code error;
  std::filesystem::path path = folder / (stem + ".dat");
  for (int n = 2; std::filesystem::exists(path, error); ++n)
    path = folder / (stem + "-" + std::to_string(n) + ".dat");
  return path;
}

}  // namespace

std::vector<FleetReadFile> SaveFleetReads(const FleetRun& fleet, AppContext& context, Prompter& prompter,
                                          const std::filesystem::path& folder) {
  std::vector<FleetReadFile> files(fleet.Radios().size());
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::set<std::string> taken;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::optional<OperationResult>& result = fleet.Result(i);
    if (!result || !result->Success) continue;
    const std::string serial = DecodeEmbeddedInfo(result->Data.Information).SerialNumber;
    const std::string stem = RadioFileStem(serial, PortFileStem(fleet.Radios()[i].PortName));
    std::string name = stem;
    for (int n = 2; taken.contains(name); ++n) name = stem + "-" + std::to_string(n);
    taken.insert(name);

    Workspace workspace(context, prompter);
    const std::optional<BandVariant> band =
        result->Data.Identity ? result->Data.Identity->Band() : std::nullopt;
    workspace.AcceptImage(result->Data.Image, band.value_or(context.Band()));
    const std::filesystem::path file = folder / (name + ".dat");
    if (workspace.SaveFile(file) == FileCheck::Ok) {
      files[i].File = file;
    } else {
      files[i].Problem = "could not be saved as " + file.string();
      const std::filesystem::path recoveryFolder = context.Folders().Settings / "recovered";
      std::filesystem::create_directories(recoveryFolder, error);
      const std::filesystem::path recovered = FreeName(recoveryFolder, name);
      if (workspace.SaveFile(recovered) == FileCheck::Ok) files[i].Recovered = recovered;
    }
    BackupResult backup =
        KeepBackup(context.Folders().BackupFolder(), workspace.Current(), serial, LocalNow());
    files[i].Backup = std::move(backup.File);
  }
  return files;
}

}  // namespace hvt
