// The real serial code path: each serial port adapter and QtReplyTimer on the Qt event loop,
// talking to the virtual radio on a pseudo-terminal.

#include "qt/serial_link_port.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "e2e/radio_link_fixture.h"
#include "qt/qt_reply_timer.h"
#include "qt/qt_serial_link_port.h"
#include "support/served_radio.h"

namespace hvt::e2e {
namespace {

class EndOfOperation final : public RadioOperationObserver {
 public:
  explicit EndOfOperation(QEventLoop& loop) : loop_(loop) {}
  std::optional<OperationResult> Result;
  std::function<void(int)> Progress;

  void OnProgress(int percent) override {
    if (Progress) Progress(percent);
  }
  void OnFinished(const OperationResult& result) override {
    Result = result;
    loop_.quit();
  }

 private:
  QEventLoop& loop_;
};

// The radio holds the 200-channel configuration and is served on a pseudo-terminal; the program's
// side of the link opens it through the serial port, with a user who confirms the read.
template <typename Port>
class SerialLinkOnPty : public testing::Test {
 protected:
  void SetUp() override {
    radio_.LoadImage(image_);
    std::string error;
    if (!served_.Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
    served_.Start();
    port_.emplace(QString::fromStdString(served_.Path()));
    user_.Answers = {PromptAnswer::Ok};
    operation_.emplace(*port_, timer_, user_, texts_);
    operation_->SetObserver(&end_);
  }

  // Runs the event loop until the operation ends; false when it gave up waiting first.
  bool EndsWithin(std::chrono::seconds limit) {
    QTimer::singleShot(limit, &loop_, [this] {
      gaveUp_ = true;
      loop_.quit();
    });
    if (operation_->IsRunning()) loop_.exec();
    return !gaveUp_;
  }

  const Configuration configuration_ = TwoHundredChannels();
  const RadioImage image_ = Encoded(configuration_);
  VirtualRadio radio_;
  ServedRadio served_{radio_};
  QEventLoop loop_;
  std::optional<Port> port_;
  QtReplyTimer timer_;
  ScriptedPrompter user_;
  const LanguageTexts texts_ =
      LanguageTexts::Load(kEnglish, std::string(HVT_DATA_DIR) + "/language/english.ini");
  std::optional<RadioOperation> operation_;
  EndOfOperation end_{loop_};
  bool gaveUp_ = false;
};

// The port the program uses here, and the one of systems without terminals.
using Ports = testing::Types<SerialLinkPort, QtSerialLinkPort>;
TYPED_TEST_SUITE(SerialLinkOnPty, Ports);

TYPED_TEST(SerialLinkOnPty, ReadsTheWholeConfigurationThroughTheSerialPort) {
  ASSERT_TRUE(this->operation_->StartRead(false));
  ASSERT_TRUE(this->EndsWithin(std::chrono::seconds(60))) << "the read did not end within a minute";
  EXPECT_TRUE(this->served_.Stop()) << this->served_.Error();
  ASSERT_TRUE(this->end_.Result.has_value());
  EXPECT_TRUE(this->end_.Result->Success);
  EXPECT_EQ(this->user_.Texts(), Strings({kReadConfirmation, kReadSucceeded}));
  EXPECT_EQ(this->end_.Result->Data.Image, this->image_);
  ExpectSameRecords(Decoded(this->end_.Result->Data.Image, this->configuration_), this->configuration_);
  EXPECT_FALSE(this->port_->IsOpen());
  EXPECT_FALSE(this->radio_.InProgrammingMode()) << "the radio heard the end packet";
}

TYPED_TEST(SerialLinkOnPty, AnUnpluggedCableEndsTheReadAtOnceWithoutSpinning) {
  std::optional<std::chrono::steady_clock::time_point> unpluggedAt;
  std::clock_t cpuAtUnplug = 0;
  this->end_.Progress = [&](int percent) {
    if (percent < 10 || unpluggedAt) return;
    this->served_.Unplug();
    unpluggedAt = std::chrono::steady_clock::now();
    cpuAtUnplug = std::clock();
  };

  ASSERT_TRUE(this->operation_->StartRead(false));
  ASSERT_TRUE(this->EndsWithin(std::chrono::seconds(30))) << "the read did not end";
  ASSERT_TRUE(unpluggedAt.has_value());
  const auto took = std::chrono::steady_clock::now() - *unpluggedAt;
  const double cpuSeconds = static_cast<double>(std::clock() - cpuAtUnplug) / CLOCKS_PER_SEC;
  ASSERT_TRUE(this->end_.Result.has_value());
  EXPECT_FALSE(this->end_.Result->Success);
  EXPECT_LT(took, std::chrono::milliseconds(250)) << "no resend waits on a port that is gone";
  EXPECT_LT(cpuSeconds, 0.2);
  const std::vector<std::string> texts_shown = this->user_.Texts();
  ASSERT_EQ(texts_shown.size(), 2U) << "one message: the failure, then why";
  // It was open: lost, not "cannot open".
  EXPECT_EQ(texts_shown[1].rfind(
                this->texts_.LanguageText(2006) + "\n" + this->texts_.LanguageText(2009) + "\n", 0),
            0U)
      << texts_shown[1];
  EXPECT_NE(texts_shown[1].find(this->served_.Path()), std::string::npos)
      << "the port is named: " << texts_shown[1];
  EXPECT_FALSE(this->port_->IsOpen());
}

}  // namespace
}  // namespace hvt::e2e
