#pragma once

// The radio commands of the program: read, write and the information read, between the
// workspace and the link. The desktop program and the command-line tool drive it the same way;
// they only differ in the port, the timer and the prompter they give it.

#include <ctime>
#include <functional>
#include <optional>

#include "app/app_context.h"
#include "app/radio_backups.h"
#include "app/workspace.h"
#include "link/radio_operation.h"
#include "model/embedded_info.h"
#include "model/test_mode_data.h"

namespace hvt {

enum class SessionState { Idle, Running, Cancelling };

class RadioSession final : private RadioOperationObserver {
 public:
  RadioSession(AppContext& context, Workspace& workspace, LinkPort& port, ReplyTimer& timer,
               Prompter& prompter);

  // Each returns whether the operation started; its end comes through the port's and the
  // timer's events. Read first offers to save unsaved changes.
  bool StartRead();
  // `confirmed`: the user has just agreed to write (again), so the confirmation is not asked.
  bool StartWrite(bool confirmed = false);
  bool StartInformationRead();
  bool IsRunning() const { return operation_.IsRunning(); }
  SessionState State() const { return state_; }
  // Stops the running operation after the packet in flight (see RadioOperation::Cancel).
  void Cancel();
  // After a cancelled write: tells what the radio holds now and asks whether to write again.
  bool OfferWriteAgain(Prompter& prompter) const;

  // Whether a write reads its blocks back; the write confirmation may change it, and the choice
  // made there holds for the next write.
  void SetVerifyAfterWrite(bool on) { verifyAfterWrite_ = on; }
  bool VerifyAfterWrite() const { return verifyAfterWrite_; }

  // Reads and writes carry the test-data area too while this is on.
  void SetTestDataOn(bool on) { testDataOn_ = on; }
  TestDataArea& TestData() { return testData_; }

  void SetProgressListener(std::function<void(int percent)> listener) { progress_ = std::move(listener); }
  // Called once an operation has ended, after the workspace took the result; the session still
  // counts as running then.
  void SetFinishedListener(std::function<void()> listener) { finished_ = std::move(listener); }
  // Called on every change of State(), Idle included: what may be run next follows from it.
  void SetStateListener(std::function<void(SessionState)> listener) { stateChanged_ = std::move(listener); }

  const std::optional<OperationResult>& LastResult() const { return lastResult_; }
  // Where the last successful read was kept, or why it could not be.
  const BackupResult& LastBackup() const { return lastBackup_; }
  // The local time backups are named by; the clock by default.
  void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }
  // The radio's service information from the last successful information read.
  const std::optional<EmbeddedInfo>& Information() const { return information_; }

 private:
  void OnProgress(int percent) override;
  void OnFinished(const OperationResult& result) override;
  void OnRunningChanged(bool running) override;
  void Enter(SessionState state);
  void Accept(const OperationResult& result);
  std::tm Now() const;

  AppContext& context_;
  Workspace& workspace_;
  RadioOperation operation_;
  bool testDataOn_ = false;
  bool verifyAfterWrite_ = false;
  TestDataArea testData_{};
  std::function<void(int)> progress_;
  std::function<void()> finished_;
  std::function<void(SessionState)> stateChanged_;
  SessionState state_ = SessionState::Idle;
  std::optional<OperationResult> lastResult_;
  std::optional<EmbeddedInfo> information_;
  BackupResult lastBackup_;
  std::function<std::tm()> clock_;
};

}  // namespace hvt
