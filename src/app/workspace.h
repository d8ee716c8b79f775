#pragma once

// The configuration the user works on: the current records, the snapshot of what was last loaded
// or saved, the file names, the channel clipboard and the image that travels to and from the
// radio; and the file commands with their questions. The desktop program and the command-line
// tool both run them; they differ only in the Prompter that asks.

#include <array>
#include <filesystem>
#include <string>
#include <utility>

#include "app/app_context.h"
#include "app/undo_history.h"
#include "files/configuration_file.h"
#include "i18n/prompter.h"
#include "model/auto_test_recording.h"
#include "model/configuration.h"
#include "model/radio_image.h"
#include "model/test_mode_data.h"

namespace hvt {

inline constexpr std::string_view kUntitledFileName = "new.dat";
inline constexpr std::string_view kUntitledBookFileName = "new.cb";

// How an export or import ended; anything but Done has shown its message.
enum class FileCommandResult {
  Done,
  FileFailed,     // the file could not be read or written
  EncoderFailed,  // an encoder refused a record; nothing was written
};

class Workspace {
 public:
  // Starts with a new configuration, as at program start.
  Workspace(AppContext& context, Prompter& prompter);

  Configuration& Current() { return current_; }
  const Configuration& Current() const { return current_; }
  const Configuration& Snapshot() const { return snapshot_; }
  const std::filesystem::path& FileName() const { return fileName_; }
  const std::filesystem::path& BookFileName() const { return bookFileName_; }
  void SetBookFileName(const std::filesystem::path& name) { bookFileName_ = name; }
  bool Untitled() const { return untitled_; }
  bool IsModified() const;

  // Steps that changed the configuration since the file was opened or made.
  const UndoHistory& History() const { return history_; }
  // Records the step `label` that turned `before` into the current configuration.
  void RecordStep(std::string label, const Configuration& before) {
    history_.Record(std::move(label), before, current_);
  }
  bool Undo() { return history_.Undo(current_); }
  bool Redo() { return history_.Redo(current_); }

  ChannelRecord& Clipboard() { return clipboard_; }
  bool ClipboardFilled() const { return clipboardFilled_; }
  void SetClipboardFilled(bool filled) { clipboardFilled_ = filled; }

  RadioImage& Image() { return image_; }

  // The file commands. Each asks what its menu command asks and returns whether it went through.
  bool New();
  bool Initialise();
  bool Open();
  bool Save();
  bool SaveAs();
  // The channels 1-200 to and from a CSV channel table chosen in a file dialog; an import's rows
  // replace the channels of their locations. True when the channels changed.
  bool ImportChannelTable();
  void ExportChannelTable();

  // Before the configuration is replaced by a read: offers to save unsaved changes; false when
  // the user cancels or the save did not happen.
  bool OfferToSaveChanges();

  // Without questions: the defaults, then the band template of the current band variant.
  void NewConfiguration();
  // Shows the reason when the file is refused; nothing changes then.
  FileCheck OpenFile(const std::filesystem::path& path);
  // A backup of what a radio held, after offering to save unsaved changes. It opens untitled, so
  // that a save never writes over the backup.
  bool OpenBackup(const std::filesystem::path& path);
  // Writes the current configuration to `path` and makes it the current file. On failure the
  // file name and the snapshot stay as they were, so unsaved changes are still reported.
  FileCheck SaveFile(const std::filesystem::path& path);
  // The communication book to and from a .cb file. On success the path becomes the book file
  // name; an import that fails leaves the book and the name as they were.
  FileCommandResult ExportBook(const std::filesystem::path& path) { return ExportBook(current_.Book, path); }
  FileCommandResult ImportBook(const std::filesystem::path& path) { return ImportBook(path, current_.Book); }
  // The same for an editor's working copy of the book.
  FileCommandResult ExportBook(const CommuBook& book, const std::filesystem::path& path);
  FileCommandResult ImportBook(const std::filesystem::path& path, CommuBook& book);
  // The production file (.EPM) of the current configuration, with the blocks of `groups` marked.
  // An encoder failure is shown and nothing is written; a file already at `path` stays as it was.
  FileCommandResult ExportProductionFile(const std::array<bool, kAutoTestGroupCount>& groups,
                                         const std::filesystem::path& path);

  // The factory's calibration values and the test data file last loaded or saved, kept for the
  // whole run: they belong to no configuration file.
  TestModeData& TestValues() { return testValues_; }
  const TestModeData& TestValues() const { return testValues_; }
  const std::filesystem::path& TestDataFileName() const { return testDataFileName_; }
  // A .ted file to and from an editor's copy of the values; on success the path becomes the test
  // data file name. A file that cannot be read or written is shown and changes nothing.
  FileCommandResult LoadTestData(const std::filesystem::path& path, TestModeData& values);
  FileCommandResult SaveTestData(const TestModeData& values, const std::filesystem::path& path);

  // After a successful read: the records decoded from the image over the current ones, the band
  // the radio reported, untitled and counted as saved.
  void AcceptImage(const RadioImage& image, BandVariant band);

 private:
  bool NewWithQuestions(bool askReset);
  // Offers to save unsaved changes; false when the user cancels or the save did not happen.
  bool OfferToSave(std::string_view question);
  void ApplySnapshotToCurrent();
  void TellFileError(std::string_view detail);
  void TakeCurrentSnapshot();
  std::filesystem::path TemplatePath(std::string_view name) const;
  std::string DataFileFilter() const;

  AppContext& context_;
  Prompter& prompter_;
  Configuration current_;
  Configuration snapshot_;
  std::filesystem::path fileName_{kUntitledFileName};
  std::filesystem::path bookFileName_{kUntitledBookFileName};
  UndoHistory history_;
  bool untitled_ = true;
  ChannelRecord clipboard_;
  bool clipboardFilled_ = false;
  RadioImage image_;
  TestModeData testValues_;
  std::filesystem::path testDataFileName_;
};

}  // namespace hvt
