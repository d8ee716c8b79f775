#pragma once

// The three radio operations (read, write, information read): preparing each one, counting its
// progress and ending it. This is the link's face to the app layer.
//
// How the app layer uses it:
//
//   RadioOperation link(port, timer, prompter, context.Texts());   // once, for the program's life
//   link.SetObserver(&observer);
//   if (link.StartRead(testDataOn)) show the progress window while link.IsRunning();
//   if (link.StartWrite(WriteJobFor(records, context.Band(), testArea))) ... likewise;
//   link.StartInformationRead();                                    // no confirmation, no progress
//
// A Start* call opens the port (telling the user when it cannot), asks the confirmation (read
// and write), prepares the image and the plan and sends the handshake; it returns false when the
// operation did not start, and then nothing more happens. Afterwards the port's and the timer's
// events drive the operation; the observer hears the progress and, exactly once, its end.
// OnFinished can come before Start* returns (when the very first send fails): decide on the
// progress window by IsRunning(), not by the return value alone.
//
// On OnFinished the port is already closed. The app does its part there (after a read: apply the
// reported band, decode the image, take the snapshot, redraw; after an information read: decode
// and show the information); once it returns, the link tells the user the outcome (keys 2004-2008,
// none after a successful information read). A failure's message also says why (a lost port, a
// wrong password) and that a write has changed part of the radio; after Cancel in the Retry
// question, which has said what went wrong, only the last of these is told.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "i18n/language_texts.h"
#include "i18n/prompter.h"
#include "link/link_port.h"
#include "link/packet_engine.h"
#include "link/password_check.h"
#include "link/radio_protocol.h"
#include "link/reply_timer.h"
#include "link/transfer_plan.h"
#include "model/auto_test_recording.h"
#include "model/codec_chain.h"
#include "model/configuration.h"

namespace hvt {

struct OperationResult {
  OperationKind Kind = OperationKind::Read;
  bool Success = false;
  bool Cancelled = false;  // the user stopped it; a cancelled write changed part of the radio
  bool Verified = false;   // a write that read its blocks back (Data.DifferingBlocks: what differed)
  bool WithTestData = false;
  // Read: the image as received (after a failure: whatever arrived), the test-data area when
  // WithTestData. Write: the image and area as sent. Information read: Data.Information.
  // Data.Identity: the radio's identification, when one arrived, also when it was refused.
  ExchangeData Data;
};

class RadioOperationObserver {
 public:
  virtual ~RadioOperationObserver() = default;
  // Read and write only: the percent to show, 0-100, only when it changes (0 again whenever the
  // conversation restarts).
  virtual void OnProgress(int percent) = 0;
  // Once per started operation, after the port was closed and before the outcome message.
  virtual void OnFinished(const OperationResult& result) = 0;
  // Whenever IsRunning() changes: true once the conversation starts, false once the operation no
  // longer counts as running (after OnFinished, before the outcome message).
  virtual void OnRunningChanged(bool running) { static_cast<void>(running); }
};

struct WriteJob {
  // Fills the cleared image from the records; the failing region's tag when it cannot.
  std::function<std::optional<EncodeFailure>(RadioImage&)> Encode;
  // Read after Encode: the slots of normal channels it does not hold are not written.
  const ChannelTable& Channels;
  // The configuration's band; a radio of another band is refused.
  BandVariant Band = BandVariant::Full;
  // The test-data area to send as well; none when test data is off.
  std::optional<TestDataArea> TestData;
  // The user has agreed already (writing again after a cancelled write): no confirmation.
  bool Confirmed = false;
  // Read the written blocks back and compare them; the confirmation's check box starts with it.
  bool Verify = false;
};

// The write of a whole configuration through the encode chain.
WriteJob WriteJobFor(Configuration& records, BandVariant band,
                     std::optional<TestDataArea> testData = std::nullopt,
                     AutoTestRecording* recording = nullptr);

// Percent = blocks done x 100 / (total + 1), at most 100; reported only when it changes. The
// denominator's + 1 makes a read of 789 blocks end at 99 % while a write, which also counts the
// step that finds no further block, reaches 100 %.
class ProgressCounter {
 public:
  void Reset() { *this = {}; }
  // The exchange restarted: 0 is shown again, the count goes on.
  int Restart() { return lastShown_ = 0; }
  // The percent to show when it differs from the last one shown.
  std::optional<int> CountBlock(int totalBlocks);

 private:
  int done_ = 0;
  int lastShown_ = 0;
};

class RadioOperation final : private ExchangeOwner {
 public:
  // The port, timer, prompter and texts must outlive the object; it registers itself as the
  // listener of the port and the timer.
  RadioOperation(LinkPort& port, ReplyTimer& timer, Prompter& prompter, const LanguageTexts& texts);
  RadioOperation(const RadioOperation&) = delete;
  RadioOperation& operator=(const RadioOperation&) = delete;

  void SetObserver(RadioOperationObserver* observer) { observer_ = observer; }

  // False when the operation did not start: another one runs, the port cannot be opened, the
  // user cancelled, or (write) an encoder failed; the port is closed again in the last two cases.
  bool StartRead(bool withTestData);
  bool StartWrite(const WriteJob& job);
  bool StartInformationRead();

  bool IsRunning() const { return running_; }
  // From OnFinished: a line the outcome message of a read or write adds after its own text.
  void AddToOutcome(std::string line) { outcomeAddition_ = std::move(line); }

  // Stops the running operation after the packet in flight; it then ends as cancelled, or as it
  // would have when it ends before the stop takes effect.
  void Cancel();

 private:
  bool Begin(OperationKind kind, bool withTestData);
  bool Confirm(BuiltInText question);
  bool ConfirmWrite(bool& verify);
  void Run(BandVariant band);
  void SetRunning(bool running);

  void ProgressRestarts() override;
  void CountBlock() override;
  void EndOperation(OperationOutcome outcome) override;
  void TellFailure(std::int32_t failedKey);

  Prompter& prompter_;
  const LanguageTexts& texts_;
  PacketEngine engine_;
  RememberedPassword password_;
  RadioProtocol protocol_;
  TransferPlan plan_;
  ProgressCounter progress_;
  OperationResult result_;
  RadioOperationObserver* observer_ = nullptr;
  bool running_ = false;
  std::string outcomeAddition_;
};

}  // namespace hvt
