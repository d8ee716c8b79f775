// The desktop program's virtual radio: whole operations on the Qt event loop at real time, and
// its memory kept in the same file as the command-line tool's.

#include "qt/virtual_link.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <fstream>

#include "e2e/radio_link_fixture.h"
#include "files/file_io.h"
#include "link/packet_engine.h"
#include "support/temp_folder.h"

namespace hvt::e2e {
namespace {

class VirtualLinkTest : public testing::Test {
 protected:
  // Ends the event loop with the operation.
  class LoopEnd final : public RadioOperationObserver {
   public:
    explicit LoopEnd(QEventLoop& loop) : loop_(loop) {}
    std::optional<OperationResult> Result;
    void OnProgress(int) override {}
    void OnFinished(const OperationResult& result) override {
      Result = result;
      loop_.quit();
    }

   private:
    QEventLoop& loop_;
  };

  // Runs one operation on the event loop; the result, or none when it did not end in a minute.
  std::optional<OperationResult> Run(VirtualLink& link, const std::function<bool(RadioOperation&)>& start) {
    QEventLoop loop;
    RadioOperation operation(link.Port(), link.Timer(), user_, texts_);
    LoopEnd end(loop);
    operation.SetObserver(&end);
    QTimer::singleShot(std::chrono::minutes(1), &loop, &QEventLoop::quit);
    if (!start(operation)) return std::nullopt;
    if (operation.IsRunning()) loop.exec();
    return end.Result;
  }

  TempFolder folder_;
  const std::filesystem::path memoryFile_ = VirtualRadioMemory::FileIn(folder_.Path() / "settings");
  ScriptedPrompter user_;
  const LanguageTexts texts_ =
      LanguageTexts::Load(kEnglish, std::string(HVT_DATA_DIR) + "/language/english.ini");
};

TEST_F(VirtualLinkTest, WritesAndReadsBackOnTheEventLoopAndKeepsTheMemory) {
  Configuration written = TwoHundredChannels();
  {
    VirtualLink link(memoryFile_);
    ASSERT_FALSE(link.Problem());
    user_.Answers = {PromptAnswer::Ok};
    const auto result = Run(
        link, [&](RadioOperation& op) { return op.StartWrite(WriteJobFor(written, BandVariant::Full, {})); });
    ASSERT_TRUE(result) << "the write did not end within a minute";
    EXPECT_TRUE(result->Success);
    EXPECT_FALSE(link.Port().IsOpen());
    EXPECT_FALSE(link.PollArmed()) << "an idle link arms no timer";
    EXPECT_FALSE(link.Timer().IsRunning());
    EXPECT_TRUE(std::filesystem::exists(memoryFile_))
        << "kept when the port closed, while the program runs on";
  }
  const auto kept = ReadWholeFile(memoryFile_, radio_memory::kSize);
  ASSERT_TRUE(kept);
  ASSERT_EQ(kept->size(), radio_memory::kSize);

  // A new program run finds the memory where the last one left it.
  VirtualLink link(memoryFile_);
  user_.Answers = {PromptAnswer::Ok};
  const auto result = Run(link, [](RadioOperation& op) { return op.StartRead(false); });
  ASSERT_TRUE(result) << "the read did not end within a minute";
  ASSERT_TRUE(result->Success);
  EXPECT_EQ(result->Data.Image, Encoded(written));
  ExpectSameRecords(Decoded(result->Data.Image, TwoHundredChannels()), written);
  EXPECT_FALSE(link.PollArmed());
  EXPECT_EQ(user_.Texts(), Strings({kWriteConfirmation, kWriteSucceeded, kReadConfirmation, kReadSucceeded}));
  EXPECT_EQ(*ReadWholeFile(memoryFile_, radio_memory::kSize), *kept) << "a read changes nothing";
}

TEST_F(VirtualLinkTest, LateAndSplitRepliesAreTakenWhenTheyArrive) {
  int repliesWithoutFaults = 0;
  {
    VirtualLink link(memoryFile_);
    user_.Answers = {PromptAnswer::Ok};
    ASSERT_TRUE(Run(link, [](RadioOperation& op) { return op.StartRead(false); }));
    repliesWithoutFaults = link.Radio().RepliesGiven();
  }

  VirtualLink link(memoryFile_);
  RadioFaults faults;
  faults.Drop = {3};  // one reply wait runs out and the packet goes again
  faults.Split = {{5, 3}};
  faults.Delay = {{8, std::chrono::milliseconds(40)}};
  link.Radio().SetFaults(faults);
  user_.Answers = {PromptAnswer::Ok};
  const auto started = std::chrono::steady_clock::now();
  const auto result = Run(link, [](RadioOperation& op) { return op.StartRead(false); });
  ASSERT_TRUE(result) << "the read did not end within a minute";
  EXPECT_TRUE(result->Success);
  EXPECT_EQ(result->Data.Image, link.Radio().Image());
  EXPECT_GE(std::chrono::steady_clock::now() - started, PacketEngine::kReplyWait);
  // Only the lost reply cost a resend: the late and the split ones were taken as they came.
  EXPECT_EQ(link.Radio().RepliesGiven(), repliesWithoutFaults + 1);
  EXPECT_FALSE(link.PollArmed());
  EXPECT_FALSE(std::filesystem::exists(memoryFile_)) << "a read leaves no file behind";
}

TEST_F(VirtualLinkTest, AMemoryThatCannotBeKeptIsReported) {
  std::ofstream(folder_ / "settings") << "a file where the settings folder belongs";
  VirtualLink link(memoryFile_);
  ASSERT_FALSE(link.Problem());
  QStringList notKept;
  QObject::connect(&link, &VirtualLink::memoryNotKept, [&notKept](const QString& file) { notKept << file; });
  Configuration written = TwoHundredChannels();
  user_.Answers = {PromptAnswer::Ok};
  const auto result = Run(
      link, [&](RadioOperation& op) { return op.StartWrite(WriteJobFor(written, BandVariant::Full, {})); });
  ASSERT_TRUE(result);
  EXPECT_TRUE(result->Success) << "the radio took the data all the same";
  EXPECT_EQ(notKept, QStringList{QString::fromStdString(memoryFile_.string())});
}

TEST_F(VirtualLinkTest, AFileThatIsNoMemoryIsRefusedAndLeftAlone) {
  std::filesystem::create_directories(memoryFile_.parent_path());
  std::ofstream(memoryFile_) << "not a memory";
  VirtualLink link(memoryFile_);
  ASSERT_TRUE(link.Problem());
  EXPECT_FALSE(link.Port().Open());
  EXPECT_NE(link.Port().FailureDetail().find("is not a virtual radio's memory"), std::string::npos);
  link.Port().Close();
  std::string content;
  std::getline(std::ifstream(memoryFile_), content);
  EXPECT_EQ(content, "not a memory");
}

}  // namespace
}  // namespace hvt::e2e
