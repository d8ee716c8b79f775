#pragma once

// The printout on paper, in a preview and in a PDF file: measures a line in the print font, has
// the pages laid out for that many lines and draws them.

#include <QByteArray>
#include <QPainter>
#include <QRectF>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/print_document.h"
#include "files/file_io.h"
#include "i18n/prompter.h"

namespace hvt {

struct PrintDrawn {
  int Pages = 0;
  int ChannelRows = 0;
};

// Draws every page inside `page` (painter coordinates); `newPage` is called between pages and
// stops the drawing when it answers false.
PrintDrawn DrawPrintout(QPainter& painter, const QRectF& page, const PrintContent& content,
                        const LanguageTexts& texts, const std::function<bool()>& newPage);

// An A4 PDF of the printout; no value when the PDF could not be drawn.
std::optional<QByteArray> PdfOf(const PrintContent& content, const LanguageTexts& texts,
                                PrintDrawn* drawn = nullptr);

// The PDF replaces `path` atomically: a failure leaves any file that was there untouched.
FileWriteResult WritePdf(const std::filesystem::path& path, const PrintContent& content,
                         const LanguageTexts& texts, PrintDrawn* drawn = nullptr);

std::chrono::year_month_day Today();

// File > Export PDF: asks for the file (the configuration's name with ".pdf" suggested) and
// writes it; a failure is shown. True when a file was written.
bool ExportPdf(const AppContext& context, const Workspace& workspace, Prompter& prompter);
// File > Print and File > Print Preview, with Qt's dialogs.
void PrintConfiguration(QWidget* parent, const AppContext& context, const Workspace& workspace,
                        Prompter& prompter);
void PreviewConfiguration(QWidget* parent, const AppContext& context, const Workspace& workspace);

}  // namespace hvt
