#include "ui/print_view.h"

#include <QByteArray>
#include <QImage>
#include <fstream>
#include <iterator>

#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Page objects of a PDF, told from the one "/Type /Pages" tree.
int PdfPageCount(const std::string& pdf) {
  int count = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
       at = pdf.find("/Type /Page", at + 1)) {
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++count;
  }
  return count;
}

class PrintViewTest : public UiTest {
 protected:
  TempFolder files_;
  ScriptedPrompter prompter_;
};

TEST_F(PrintViewTest, ThePdfOfATemplateHasOneRowPerChannelInEitherLanguage) {
  struct Case {
    const char* Locale;
    int Channels;  // 0: the template's own
  };
  for (const Case c : {Case{"en_US", 0}, Case{"zh_CN", 0}, Case{"en_US", 200}}) {
    AppContext context = Start(c.Locale);
    Workspace workspace(context, prompter_);
    ChannelTable& table = workspace.Current().Channels;
    if (c.Channels > 0) {
      table = {};
      for (int n = 1; n <= c.Channels; ++n) ASSERT_TRUE(AddChannel(table, CreateChannel(n, "145.50000")));
      for (const int special : {kVfo1Channel, kVfo2Channel, kRtChannel}) {
        ASSERT_TRUE(AddChannel(table, CreateChannel(special, "438.02500")));
      }
    }
    const int channels = static_cast<int>(table.Channels().size());
    ASSERT_GT(channels, 0) << "the template holds channels";

    const std::filesystem::path path = files_.Path() / (std::string(c.Locale) + ".pdf");
    PrintDrawn drawn;
    ASSERT_TRUE(WritePdf(path, PrintContentOf(context, workspace, Today()), context.Texts(), &drawn).Ok());
    const std::string pdf = FileText(path);
    EXPECT_TRUE(pdf.starts_with("%PDF")) << c.Locale;
    EXPECT_EQ(drawn.ChannelRows, channels) << c.Locale;
    EXPECT_EQ(PdfPageCount(pdf), drawn.Pages) << c.Locale;
    EXPECT_GE(drawn.Pages, c.Channels > 0 ? 4 : 2) << c.Locale << ": the channels, then the settings";
  }
}

TEST_F(PrintViewTest, ExportPdfWritesTheChosenFileOrShowsWhyNot) {
  AppContext context = Start();
  Workspace workspace(context, prompter_);
  const std::filesystem::path good = files_.Path() / "radio.pdf";
  const std::filesystem::path bad = files_.Path() / "no-such-folder" / "radio.pdf";

  prompter_.Files = {std::nullopt, good, bad};
  EXPECT_FALSE(ExportPdf(context, workspace, prompter_)) << "cancelled";
  EXPECT_TRUE(prompter_.Messages.empty());

  EXPECT_TRUE(ExportPdf(context, workspace, prompter_));
  EXPECT_TRUE(FileText(good).starts_with("%PDF"));
  EXPECT_TRUE(prompter_.Messages.empty());

  EXPECT_FALSE(ExportPdf(context, workspace, prompter_));
  ASSERT_EQ(prompter_.Messages.size(), 1U);
  EXPECT_NE(prompter_.Messages[0].Text.find("no-such-folder"), std::string::npos)
      << prompter_.Messages[0].Text;
  EXPECT_FALSE(std::filesystem::exists(bad));
  EXPECT_TRUE(prompter_.ScriptUsedUp());
}

TEST_F(PrintViewTest, APageTooSmallForOneRowStillEnds) {
  AppContext context = Start();
  Workspace workspace(context, prompter_);
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  int newPages = 0;
  const PrintDrawn drawn =
      DrawPrintout(painter, QRectF(0, 0, 40, 40), PrintContentOf(context, workspace, Today()),
                   context.Texts(), [&newPages] { return ++newPages < 1000; });
  EXPECT_EQ(drawn.ChannelRows, static_cast<int>(workspace.Current().Channels.Channels().size()));
  EXPECT_EQ(drawn.Pages, newPages + 1);
}

}  // namespace
}  // namespace hvt
