#include "ui/print_view.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "i18n/caption_title.h"
#include "i18n/text_keys.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

constexpr double kPointSize = 9.0;
constexpr double kLineSpacing = 1.4;  // a line's height in font heights: room for the row shading
constexpr QColor kShade{236, 236, 236};
constexpr QColor kRule{120, 120, 120};

class Sheet {
 public:
  Sheet(QPainter& painter, const QRectF& page, const std::vector<PrintPage>& pages, const QFont& font)
      : painter_(painter), page_(page), font_(font), bold_(font) {
    bold_.setBold(true);
    line_ = QFontMetricsF(font_, painter.device()).height() * kLineSpacing;
    pad_ = QFontMetricsF(font_, painter.device()).averageCharWidth();
    MeasureColumns(pages);
  }

  int Draw(const PrintPage& page) {
    DrawHeader(page);
    double y = page_.top() + kPrintHeaderLines * line_;
    int rows = 0;
    for (const PrintBlock& block : page.Blocks) {
      const double height = LinesOf(block.Kind) * line_;
      switch (block.Kind) {
        case PrintBlockKind::GridHeader:
          DrawCells(block, y, height, tableBold_, Qt::AlignLeft | Qt::AlignBottom);
          painter_.setPen(kRule);
          painter_.drawLine(QPointF(page_.left(), y + height), QPointF(TableRight(), y + height));
          break;
        case PrintBlockKind::ChannelRow:
          if (block.Shaded)
            painter_.fillRect(QRectF(page_.left(), y, TableRight() - page_.left(), height), kShade);
          DrawCells(block, y, height, tableFont_, Qt::AlignLeft | Qt::AlignVCenter);
          ++rows;
          break;
        case PrintBlockKind::SectionTitle:
          Text(QRectF(page_.left(), y, page_.width(), height), bold_, block.Texts.front(), Qt::AlignLeft);
          break;
        case PrintBlockKind::Setting: {
          const double labelWidth = std::min(labelWidth_, page_.width() * 0.6);
          Text(QRectF(page_.left() + pad_ * 2, y, labelWidth, height), font_, block.Texts[0], Qt::AlignLeft);
          Text(QRectF(page_.left() + pad_ * 3 + labelWidth, y,
                      page_.right() - (page_.left() + pad_ * 3 + labelWidth), height),
               font_, block.Texts[1], Qt::AlignLeft);
          break;
        }
      }
      y += height;
    }
    Text(QRectF(page_.left(), page_.bottom() - line_, page_.width(), line_), font_, page.Number,
         Qt::AlignHCenter);
    return rows;
  }

 private:
  void MeasureColumns(const std::vector<PrintPage>& pages) {
    const QFontMetricsF plain(font_, painter_.device());
    const QFontMetricsF bold(bold_, painter_.device());
    for (const PrintPage& page : pages) {
      for (const PrintBlock& block : page.Blocks) {
        if (block.Kind == PrintBlockKind::Setting) {
          labelWidth_ = std::max(labelWidth_, plain.horizontalAdvance(ToQString(block.Texts[0])));
          continue;
        }
        if (block.Kind != PrintBlockKind::GridHeader && block.Kind != PrintBlockKind::ChannelRow) continue;
        if (columns_.size() < block.Texts.size()) columns_.resize(block.Texts.size(), 0.0);
        for (std::size_t i = 0; i < block.Texts.size(); ++i) {
          const QFontMetricsF& metrics = block.Kind == PrintBlockKind::GridHeader ? bold : plain;
          for (const QString& part : ToQString(block.Texts[i]).split(QLatin1Char('\n'))) {
            columns_[i] = std::max(columns_[i], metrics.horizontalAdvance(part) + pad_ * 2);
          }
        }
      }
    }
    tableFont_ = font_;
    tableBold_ = bold_;
    double total = 0;
    for (const double width : columns_) total += width;
    if (total <= 0) return;
    // Too wide: the whole table shrinks; narrower: the spare width spreads over the columns.
    const double scale = page_.width() / total;
    if (scale < 1.0) {
      tableFont_.setPointSizeF(font_.pointSizeF() * scale);
      tableBold_.setPointSizeF(bold_.pointSizeF() * scale);
      for (double& width : columns_) width *= scale;
    } else {
      const double spare = (page_.width() - total) / static_cast<double>(columns_.size());
      for (double& width : columns_) width += spare;
    }
  }

  double TableRight() const {
    double right = page_.left();
    for (const double width : columns_) right += width;
    return right;
  }

  void DrawCells(const PrintBlock& block, double y, double height, const QFont& font, Qt::Alignment align) {
    double x = page_.left();
    for (std::size_t i = 0; i < block.Texts.size() && i < columns_.size(); ++i) {
      const QRectF cell(x + pad_ / 2, y, columns_[i] - pad_, height);
      if (block.Kind == PrintBlockKind::GridHeader) {
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        painter_.drawText(cell, static_cast<int>(align), ToQString(block.Texts[i]));
      } else {
        Text(cell, font, block.Texts[i], align);
      }
      x += columns_[i];
    }
  }

  void Text(const QRectF& box, const QFont& font, std::string_view text, Qt::Alignment align) {
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    const QString elided =
        QFontMetricsF(font, painter_.device()).elidedText(ToQString(text), Qt::ElideRight, box.width());
    painter_.drawText(box, static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine), elided);
  }

  void DrawHeader(const PrintPage& page) {
    const QFontMetricsF metrics(font_, painter_.device());
    const double titleRight = metrics.horizontalAdvance(ToQString(page.TitleRight)) + pad_;
    // The band takes what the file name leaves, but at least half the line.
    const double fileWidth = metrics.horizontalAdvance(ToQString(page.InfoLeft)) + pad_ * 3;
    const double infoRight = std::min(metrics.horizontalAdvance(ToQString(page.InfoRight)) + pad_,
                                      std::max(page_.width() - fileWidth, page_.width() / 2));
    Text(QRectF(page_.left(), page_.top(), page_.width() - titleRight, line_), bold_, page.TitleLeft,
         Qt::AlignLeft);
    Text(QRectF(page_.right() - titleRight, page_.top(), titleRight, line_), font_, page.TitleRight,
         Qt::AlignRight);
    Text(QRectF(page_.left(), page_.top() + line_, page_.width() - infoRight, line_), font_, page.InfoLeft,
         Qt::AlignLeft);
    Text(QRectF(page_.right() - infoRight, page_.top() + line_, infoRight, line_), font_, page.InfoRight,
         Qt::AlignRight);
    const double rule = page_.top() + line_ * 2.5;
    painter_.setPen(kRule);
    painter_.drawLine(QPointF(page_.left(), rule), QPointF(page_.right(), rule));
  }

  QPainter& painter_;
  QRectF page_;
  QFont font_;
  QFont bold_;
  QFont tableFont_;
  QFont tableBold_;
  double line_ = 0;
  double pad_ = 0;
  double labelWidth_ = 0;
  std::vector<double> columns_;
};

QRectF PaintRect(const QPagedPaintDevice& device, int resolution) {
  return QRectF(QPointF(0, 0), device.pageLayout().paintRectPixels(resolution).size());
}

PrintDrawn DrawOn(QPagedPaintDevice& device, int resolution, const PrintContent& content,
                  const LanguageTexts& texts, bool* started) {
  QPainter painter;
  *started = painter.begin(&device);
  if (!*started) return {};
  const PrintDrawn drawn = DrawPrintout(painter, PaintRect(device, resolution), content, texts,
                                        [&device] { return device.newPage(); });
  painter.end();
  return drawn;
}

std::string FileError(const LanguageTexts& texts, const std::string& detail) {
  return std::string(texts.BuiltIn(BuiltInText::FileError)) + "\n" + detail;
}

}  // namespace

PrintDrawn DrawPrintout(QPainter& painter, const QRectF& page, const PrintContent& content,
                        const LanguageTexts& texts, const std::function<bool()>& newPage) {
  QFont font = QGuiApplication::font();
  font.setPointSizeF(kPointSize);
  const double line = QFontMetricsF(font, painter.device()).height() * kLineSpacing;
  const int lines = line > 0 ? static_cast<int>(std::floor(page.height() / line)) : 0;
  const std::vector<PrintPage> pages = LayOutPrint(content, texts, lines);

  Sheet sheet(painter, page, pages, font);
  PrintDrawn drawn;
  for (const PrintPage& each : pages) {
    if (drawn.Pages > 0 && !newPage()) break;
    drawn.ChannelRows += sheet.Draw(each);
    ++drawn.Pages;
  }
  return drawn;
}

std::optional<QByteArray> PdfOf(const PrintContent& content, const LanguageTexts& texts, PrintDrawn* drawn) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
  bool started = false;
  PrintDrawn result;
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("hvt7300"));
    writer.setTitle(ToQString(content.ModelTitle + " " + content.FileName));
    result = DrawOn(writer, writer.resolution(), content, texts, &started);
  }
  buffer.close();
  if (!started || bytes.isEmpty()) return std::nullopt;
  if (drawn) *drawn = result;
  return bytes;
}

FileWriteResult WritePdf(const std::filesystem::path& path, const PrintContent& content,
                         const LanguageTexts& texts, PrintDrawn* drawn) {
  const std::optional<QByteArray> pdf = PdfOf(content, texts, drawn);
  if (!pdf) return FileFailure{path, "the PDF could not be drawn"};
  return WriteFileAtomically(path, std::string_view(pdf->constData(), static_cast<std::size_t>(pdf->size())));
}

std::chrono::year_month_day Today() {
  const QDate today = QDate::currentDate();
  return {std::chrono::year{today.year()}, std::chrono::month{static_cast<unsigned>(today.month())},
          std::chrono::day{static_cast<unsigned>(today.day())}};
}

bool ExportPdf(const AppContext& context, const Workspace& workspace, Prompter& prompter) {
  std::filesystem::path suggested = workspace.FileName();
  suggested.replace_extension(".pdf");
  const auto path = prompter.ChooseFileToSave("PDF (*.pdf)|*.pdf", suggested);
  if (!path) return false;
  const FileWriteResult written =
      WritePdf(*path, PrintContentOf(context, workspace, Today()), context.Texts());
  if (!written) {
    prompter.Tell(FileError(context.Texts(), written.Detail()));
    return false;
  }
  return true;
}

void PrintConfiguration(QWidget* parent, const AppContext& context, const Workspace& workspace,
                        Prompter& prompter) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  bool started = false;
  DrawOn(printer, printer.resolution(), PrintContentOf(context, workspace, Today()), context.Texts(),
         &started);
  if (!started) prompter.Tell(context.Texts().LanguageText(text_key::PrintFailed), PromptIcon::Warning);
}

void PreviewConfiguration(QWidget* parent, const AppContext& context, const Workspace& workspace) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog dialog(&printer, parent);
  // The file as the main window's title names it.
  dialog.setWindowTitle(ToQString(CaptionAsTitle(context.Texts().LanguageText(text_key::MenuPrintPreview)) +
                                  " - " + workspace.FileName().string()));
  // Qt opens the preview too small to read a page.
  if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
    const QSize room = screen->availableGeometry().size();
    dialog.resize(room.width() * 3 / 5, room.height() * 4 / 5);
  }
  const PrintContent content = PrintContentOf(context, workspace, Today());
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&content, &context](QPrinter* target) {
                     bool started = false;
                     DrawOn(*target, target->resolution(), content, context.Texts(), &started);
                   });
  dialog.exec();
}

}  // namespace hvt
