#pragma once

// One configuration written to the radios on several ports at once, as a dealer programs a box
// of new radios, or the configurations of several radios read at once. Each radio has a link of its own
// (port, reply timer, packet engine, protocol), all driven by the one event loop the caller runs, so a radio
// that fails or falls silent holds up nobody. Nobody is asked anything on the way: the user confirmed the
// whole run once and gave the password and the number of retries up front.
//
//   FleetRun fleet(texts, [](const std::string& port) { return FleetLink{...}; });
//   fleet.SetListener(&listener);
//   if (const auto problem = fleet.StartWrite(ports, records, band, options)) tell *problem;
//   run the event loop while fleet.IsRunning(); read fleet.Radios() for the table of results.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "i18n/language_texts.h"
#include "link/link_port.h"
#include "link/radio_operation.h"
#include "link/reply_timer.h"
#include "model/band.h"
#include "model/configuration.h"

namespace hvt {

// What one radio of the fleet talks through; both live as long as the run.
struct FleetLink {
  std::unique_ptr<LinkPort> Port;
  std::unique_ptr<ReplyTimer> Timer;
};
using FleetLinkMaker = std::function<FleetLink(const std::string& portName)>;

struct FleetOptions {
  bool Verify = false;                  // read every written block back
  std::optional<std::string> Password;  // for radios that have one
  int Retries = 0;                      // "retry?" is answered Retry this many times, then Cancel
};

enum class FleetState { Waiting, Running, Succeeded, Failed, Cancelled, NotStarted };

struct FleetRadioStatus {
  std::string PortName;
  FleetState State = FleetState::Waiting;
  int Percent = 0;
  // What the link told about this radio: the cause when it failed (the first message), the outcome
  // when it succeeded.
  std::string Detail;
  std::chrono::steady_clock::duration Elapsed{};
};

class FleetListener {
 public:
  virtual ~FleetListener() = default;
  // The radio's state, percent or detail changed.
  virtual void OnRadioChanged(std::size_t index) = 0;
  // Every radio has ended; called once per run.
  virtual void OnFleetFinished() = 0;
};

class FleetRun {
 public:
  FleetRun(const LanguageTexts& texts, FleetLinkMaker makeLink);
  ~FleetRun();
  FleetRun(const FleetRun&) = delete;
  FleetRun& operator=(const FleetRun&) = delete;

  void SetListener(FleetListener* listener) { listener_ = listener; }

  // Starts a write on every port (each named once); the reason when nothing starts: a run is
  // going, no port is given, or the encoders refuse the configuration. A radio whose port cannot
  // be opened ends as NotStarted at once while the others go on.
  std::optional<std::string> StartWrite(const std::vector<std::string>& ports, const Configuration& records,
                                        BandVariant band, const FleetOptions& options);
  // Starts a read on every port; the reason when nothing starts, as for StartWrite.
  std::optional<std::string> StartRead(const std::vector<std::string>& ports, const FleetOptions& options);

  bool IsRunning() const;
  // Every running radio stops after its packet in flight (see RadioOperation::Cancel).
  void Cancel();

  const std::vector<FleetRadioStatus>& Radios() const { return statuses_; }
  // What the radio's operation ended with; none before it ended or when it never started.
  const std::optional<OperationResult>& Result(std::size_t index) const;
  // How many radios ended in `state`.
  std::size_t Count(FleetState state) const;

 private:
  class Radio;
  std::optional<std::string> Start(const std::vector<std::string>& ports, const Configuration& records,
                                   const FleetOptions& options, const std::function<void(Radio&)>& start);
  void Changed(std::size_t index);

  const LanguageTexts& texts_;
  FleetLinkMaker makeLink_;
  std::vector<std::unique_ptr<Radio>> radios_;
  std::vector<FleetRadioStatus> statuses_;
  FleetListener* listener_ = nullptr;
  bool finishedTold_ = true;
};

}  // namespace hvt
