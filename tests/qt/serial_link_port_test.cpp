// The real serial code path: SerialLinkPort and QtReplyTimer on the Qt event loop, talking to the
// virtual radio on a pseudo-terminal.

#include "qt/serial_link_port.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <thread>

#include "e2e/radio_link_fixture.h"
#include "qt/qt_reply_timer.h"
#include "radio/pty_server.h"

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

// The radio's side runs on its own thread until the test is over.
class ServedRadio {
 public:
  explicit ServedRadio(VirtualRadio& radio) : server_(std::make_unique<PtyServer>(radio)) {}
  ~ServedRadio() { Stop(); }
  ServedRadio(const ServedRadio&) = delete;
  ServedRadio& operator=(const ServedRadio&) = delete;

  bool Open(std::string& error) {
    const bool opened = server_->Open(error);
    path_ = server_->SlavePath();
    return opened;
  }
  void Start() {
    thread_ = std::thread([this] { served_ = server_->Serve(stop_, error_); });
  }
  // True when the server ran without a failure of the terminal.
  bool Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return served_;
  }
  // The cable is pulled: the terminal goes away under the open port.
  void Unplug() {
    Stop();
    server_.reset();
  }
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  std::unique_ptr<PtyServer> server_;
  std::string path_;
  std::atomic<bool> stop_ = false;
  bool served_ = false;
  std::string error_;
  std::thread thread_;
};

TEST(SerialLinkOnPty, ReadsTheWholeConfigurationThroughTheSerialPort) {
  Configuration configuration = TwoHundredChannels();
  const RadioImage image = Encoded(configuration);
  VirtualRadio radio;
  radio.LoadImage(image);
  ServedRadio served(radio);
  std::string error;
  if (!served.Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
  served.Start();

  QEventLoop loop;
  SerialLinkPort port(QString::fromStdString(served.Path()));
  QtReplyTimer timer;
  ScriptedPrompter user;
  user.Answers = {PromptAnswer::Ok};
  const LanguageTexts texts =
      LanguageTexts::Load(kEnglish, std::string(HVT_DATA_DIR) + "/language/english.ini");
  RadioOperation operation(port, timer, user, texts);
  EndOfOperation end(loop);
  operation.SetObserver(&end);
  bool gaveUp = false;
  QTimer::singleShot(std::chrono::seconds(60), &loop, [&] {
    gaveUp = true;
    loop.quit();
  });

  ASSERT_TRUE(operation.StartRead(false));
  if (operation.IsRunning()) loop.exec();

  ASSERT_FALSE(gaveUp) << "the read did not end within a minute";
  EXPECT_TRUE(served.Stop()) << served.Error();
  ASSERT_TRUE(end.Result.has_value());
  EXPECT_TRUE(end.Result->Success);
  EXPECT_EQ(user.Texts(), Strings({kReadConfirmation, kReadSucceeded}));
  EXPECT_EQ(end.Result->Data.Image, image);
  ExpectSameRecords(Decoded(end.Result->Data.Image, configuration), configuration);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(radio.InProgrammingMode()) << "the radio heard the end packet";
}

TEST(SerialLinkOnPty, AnUnpluggedCableEndsTheReadAtOnceWithoutSpinning) {
  Configuration configuration = TwoHundredChannels();
  VirtualRadio radio;
  radio.LoadImage(Encoded(configuration));
  ServedRadio served(radio);
  std::string error;
  if (!served.Open(error)) GTEST_SKIP() << "no pseudo-terminal here: " << error;
  served.Start();

  QEventLoop loop;
  SerialLinkPort port(QString::fromStdString(served.Path()));
  QtReplyTimer timer;
  ScriptedPrompter user;
  user.Answers = {PromptAnswer::Ok};
  const LanguageTexts texts =
      LanguageTexts::Load(kEnglish, std::string(HVT_DATA_DIR) + "/language/english.ini");
  RadioOperation operation(port, timer, user, texts);
  EndOfOperation end(loop);
  operation.SetObserver(&end);
  std::optional<std::chrono::steady_clock::time_point> unpluggedAt;
  std::clock_t cpuAtUnplug = 0;
  end.Progress = [&](int percent) {
    if (percent < 10 || unpluggedAt) return;
    served.Unplug();
    unpluggedAt = std::chrono::steady_clock::now();
    cpuAtUnplug = std::clock();
  };
  bool gaveUp = false;
  QTimer::singleShot(std::chrono::seconds(30), &loop, [&] {
    gaveUp = true;
    loop.quit();
  });

  ASSERT_TRUE(operation.StartRead(false));
  if (operation.IsRunning()) loop.exec();

  ASSERT_FALSE(gaveUp) << "the read did not end";
  ASSERT_TRUE(unpluggedAt.has_value());
  const auto took = std::chrono::steady_clock::now() - *unpluggedAt;
  const double cpuSeconds = static_cast<double>(std::clock() - cpuAtUnplug) / CLOCKS_PER_SEC;
  ASSERT_TRUE(end.Result.has_value());
  EXPECT_FALSE(end.Result->Success);
  EXPECT_LT(took, std::chrono::milliseconds(250)) << "no resend waits on a port that is gone";
  EXPECT_LT(cpuSeconds, 0.2);
  const std::vector<std::string> texts_shown = user.Texts();
  ASSERT_EQ(texts_shown.size(), 3U);
  EXPECT_EQ(texts_shown[1].substr(0, texts_shown[1].find('\n')), texts.LanguageText(2002));
  EXPECT_NE(texts_shown[1].find(served.Path()), std::string::npos) << "the port is named: " << texts_shown[1];
  EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace hvt::e2e
