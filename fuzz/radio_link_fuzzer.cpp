// A whole radio operation (read, write, information read) against the virtual radio, with what
// the program receives mangled as the input dictates: every delivery is passed, dropped, cut,
// split, bit-flipped or replaced. Whatever arrives, the operation ends exactly once within a
// bounded number of steps, and one that reports success carries what a clean run carries.
//
// Input: a set-up byte (operation, test data, password), then one instruction per delivery;
// once the input runs out, deliveries pass unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "files/configuration_file.h"
#include "fuzz_support.h"
#include "i18n/language.h"
#include "i18n/language_texts.h"
#include "link/radio_operation.h"
#include "model/band.h"
#include "radio/loopback_port.h"
#include "radio/loopback_pump.h"
#include "radio/manual_timer.h"
#include "radio/virtual_radio.h"

namespace {

constexpr long kMaxSteps = 200'000;
constexpr int kMaxRetries = 2;
constexpr int kMaxPasswordTries = 3;
constexpr std::string_view kPassword = "1234";

class Input {
 public:
  explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Empty() const { return bytes_.empty(); }
  std::uint8_t Byte() {
    if (bytes_.empty()) return 0;
    const std::uint8_t byte = bytes_.front();
    bytes_ = bytes_.subspan(1);
    return byte;
  }
  std::span<const std::uint8_t> Take(std::size_t count) {
    const auto taken = bytes_.first(std::min(count, bytes_.size()));
    bytes_ = bytes_.subspan(taken.size());
    return taken;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

// Stands between the loopback port and the program and mangles what the radio sends.
class ManglingPort final : public hvt::LinkPort, private hvt::LinkPortListener {
 public:
  ManglingPort(hvt::LoopbackPort& inner, Input& input) : inner_(inner), input_(input) {
    inner_.SetListener(this);
  }

  bool Tampered() const { return tampered_; }

  void SetListener(hvt::LinkPortListener* listener) override { listener_ = listener; }
  bool Open() override {
    lost_ = false;
    return inner_.Open();
  }
  void Close() override { inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Write(std::span<const std::uint8_t> bytes) override { return inner_.Write(bytes); }
  void SetReceiveThreshold(std::size_t bytes) override { inner_.SetReceiveThreshold(bytes); }
  void DiscardBuffers() override { inner_.DiscardBuffers(); }
  std::string FailureDetail() const override { return lost_ ? "virtual: the cable was pulled" : ""; }

 private:
  void OnReceive(std::span<const std::uint8_t> bytes) override {
    if (input_.Empty()) return Deliver(bytes);
    switch (input_.Byte() % 7) {
      case 0:
        return Deliver(bytes);
      case 6:  // the cable is pulled: the port closes itself and says so
        inner_.Close();
        lost_ = true;
        if (listener_ != nullptr) listener_->OnPortLost();
        return;
      case 1:  // lost
        return;
      case 2:
        return Deliver(bytes.first(input_.Byte() % (bytes.size() + 1)));
      case 3: {
        const std::size_t at = input_.Byte() % (bytes.size() + 1);
        Deliver(bytes.first(at));
        return Deliver(bytes.subspan(at));
      }
      case 4: {
        std::vector<std::uint8_t> flipped(bytes.begin(), bytes.end());
        if (!flipped.empty())
          flipped[input_.Byte() % flipped.size()] ^= static_cast<std::uint8_t>(1 << (input_.Byte() % 8));
        return Deliver(flipped);
      }
      default: {
        // Made-up bytes can be a well-formed reply with other data: success then proves nothing.
        tampered_ = true;
        const std::vector<std::uint8_t> replacement = [&] {
          const auto taken = input_.Take(input_.Byte() % 48);
          return std::vector<std::uint8_t>(taken.begin(), taken.end());
        }();
        return Deliver(replacement);
      }
    }
  }

  void OnPortLost() override {
    if (listener_ != nullptr) listener_->OnPortLost();
  }

  // A closed port delivers nothing, also between the pieces of a split.
  void Deliver(std::span<const std::uint8_t> bytes) {
    if (listener_ != nullptr && inner_.IsOpen() && !bytes.empty()) listener_->OnReceive(bytes);
  }

  hvt::LoopbackPort& inner_;
  Input& input_;
  hvt::LinkPortListener* listener_ = nullptr;
  bool tampered_ = false;
  bool lost_ = false;
};

class User final : public hvt::Prompter {
 public:
  explicit User(Input& input) : input_(input) {}

  hvt::PromptAnswer Ask(std::string_view, hvt::PromptButtons buttons, hvt::PromptIcon) override {
    switch (buttons) {
      case hvt::PromptButtons::RetryCancel:
        if (retries_ < kMaxRetries && (input_.Byte() & 1) != 0) {
          ++retries_;
          return hvt::PromptAnswer::Retry;
        }
        return hvt::PromptAnswer::Cancel;
      case hvt::PromptButtons::YesNo:
      case hvt::PromptButtons::YesNoCancel:
        return hvt::PromptAnswer::Yes;
      default:
        return hvt::PromptAnswer::Ok;
    }
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  std::optional<std::string> AskPassword(std::string_view) override {
    if (++passwordTries_ > kMaxPasswordTries) return std::nullopt;
    switch (input_.Byte() % 3) {
      case 0:
        return std::string(kPassword);
      case 1:
        return std::string("0000");
      default:
        return std::nullopt;
    }
  }

 private:
  Input& input_;
  int retries_ = 0;
  int passwordTries_ = 0;
};

class Outcome final : public hvt::RadioOperationObserver {
 public:
  std::vector<hvt::OperationResult> Results;

  void OnProgress(int percent) override { HVT_FUZZ_CHECK(percent >= 0 && percent <= 100); }
  void OnFinished(const hvt::OperationResult& result) override { Results.push_back(result); }
};

const hvt::LanguageTexts& Texts() {
  static const hvt::LanguageTexts texts =
      hvt::LanguageTexts::Load(hvt::kEnglish, hvt::fuzz::DataFolder() / "language" / "english.ini");
  return texts;
}

const hvt::Configuration& Records() {
  static const hvt::Configuration records = [] {
    hvt::Configuration read;
    HVT_FUZZ_CHECK(hvt::ReadTemplateFile(hvt::fuzz::DataFolder() / "Init" / "HVT7300_1.dat", read) ==
                   hvt::FileCheck::Ok);
    return read;
  }();
  return records;
}

struct Setup {
  hvt::OperationKind Kind = hvt::OperationKind::Read;
  bool WithTestData = false;
  bool Password = false;

  auto Key() const { return std::tuple(static_cast<int>(Kind), WithTestData, Password); }
};

struct Run {
  bool Started = false;
  std::vector<hvt::OperationResult> Results;
  std::vector<std::uint8_t> RadioMemory;
  bool Tampered = false;
};

// A radio whose memory differs from what a write sends, so a lost block shows.
void Prepare(hvt::VirtualRadio& radio, std::string_view password) {
  static const hvt::RadioImage image = [] {
    hvt::Configuration records = Records();
    hvt::RadioImage encoded;
    HVT_FUZZ_CHECK(!hvt::EncodeAll(records, encoded).has_value());
    return encoded;
  }();
  radio.LoadImage(image);
  const auto information = radio.InformationBlock();
  for (std::size_t i = 0; i < information.size(); ++i)
    information[i] = static_cast<std::uint8_t>('0' + i % 10);
  radio.SetPassword(password);  // the digits above replaced the password block
  const auto testData = radio.TestDataArea();
  for (std::size_t i = 0; i < testData.size(); ++i) testData[i] = static_cast<std::uint8_t>(i * 7);
}

Run Execute(const Setup& setup, Input& input) {
  hvt::VirtualRadioSettings settings;
  if (setup.Password) settings.Password = std::string(kPassword);
  hvt::ManualClock clock;
  hvt::VirtualRadio radio(settings);
  Prepare(radio, settings.Password);
  hvt::LoopbackPort loopback(radio, clock);
  ManglingPort port(loopback, input);
  hvt::ManualTimer timer(clock);
  User user(input);
  Outcome outcome;
  hvt::RadioOperation operation(port, timer, user, Texts());
  operation.SetObserver(&outcome);

  hvt::Configuration records = Records();
  hvt::TestDataArea area{};
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = static_cast<std::uint8_t>(0xA0 + i);
  Run run;
  switch (setup.Kind) {
    case hvt::OperationKind::Read:
      run.Started = operation.StartRead(setup.WithTestData);
      break;
    case hvt::OperationKind::Write:
      run.Started =
          operation.StartWrite(hvt::WriteJobFor(records, *hvt::BandVariantFromNumber(records.BandVariant),
                                                setup.WithTestData ? std::optional(area) : std::nullopt));
      break;
    case hvt::OperationKind::InformationRead:
      run.Started = operation.StartInformationRead();
      break;
  }
  hvt::LoopbackPump pump(clock, loopback, timer);
  long steps = 0;
  while (pump.Step()) HVT_FUZZ_CHECK(++steps < kMaxSteps);  // a hang

  HVT_FUZZ_CHECK(!operation.IsRunning());
  HVT_FUZZ_CHECK(!loopback.IsOpen());
  run.Results = outcome.Results;
  const auto memory = radio.Memory();
  run.RadioMemory.assign(memory.begin(), memory.end());
  run.Tampered = port.Tampered();
  return run;
}

const Run& CleanRun(const Setup& setup) {
  static std::map<std::tuple<int, bool, bool>, Run> runs;
  auto found = runs.find(setup.Key());
  if (found == runs.end()) {
    const std::uint8_t password = 0;  // the right password, first time
    Input none({&password, setup.Password ? 1U : 0U});
    found = runs.emplace(setup.Key(), Execute(setup, none)).first;
    HVT_FUZZ_CHECK(found->second.Results.size() == 1 && found->second.Results[0].Success);
  }
  return found->second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input({data, size});
  const std::uint8_t setupByte = input.Byte();
  Setup setup;
  setup.Kind = static_cast<hvt::OperationKind>((setupByte & 3) % 3);
  setup.WithTestData = (setupByte & 0x04) != 0 && setup.Kind != hvt::OperationKind::InformationRead;
  setup.Password = (setupByte & 0x08) != 0;
  const Run& clean = CleanRun(setup);

  const Run run = Execute(setup, input);
  HVT_FUZZ_CHECK(run.Started);
  HVT_FUZZ_CHECK(run.Results.size() == 1);  // ends exactly once
  const hvt::OperationResult& result = run.Results.front();
  if (!result.Success || run.Tampered) return 0;
  const hvt::OperationResult& expected = clean.Results.front();
  switch (setup.Kind) {
    case hvt::OperationKind::Read:
      HVT_FUZZ_CHECK(result.Data.Image == expected.Data.Image);
      HVT_FUZZ_CHECK(!setup.WithTestData || result.Data.TestData == expected.Data.TestData);
      break;
    case hvt::OperationKind::Write:
      HVT_FUZZ_CHECK(run.RadioMemory == clean.RadioMemory);
      break;
    case hvt::OperationKind::InformationRead:
      HVT_FUZZ_CHECK(result.Data.Information == expected.Data.Information);
      break;
  }
  return 0;
}
