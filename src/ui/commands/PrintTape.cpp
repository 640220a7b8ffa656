#include "ui/commands/PrintTape.h"

#include "core/commands/PrintLayout.h"
#include "core/files/PdfTarget.h"
#include "core/files/SafeFile.h"
#include "ui/files/FileProblemText.h"
#include "ui/platform/FilePath.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/Translations.h"

#include <QBuffer>
#include <QCheckBox>
#include <QGridLayout>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>
#include <filesystem>

namespace qm::ui {

namespace {

// The document's name: the print job's, the preview's title and the PDF's.
QString docName() { return QCoreApplication::translate("PrintTape", "Calculation tape"); }

// The tape's print font: Arial, or its metric twin where Arial is missing.
QFont tapeFont(bool bold)
{
    QFont f(QStringLiteral("Arial"), 10);
    f.setStyleHint(QFont::SansSerif);
    f.setBold(bold);
    return f;
}

PrintResult failed(const QString& reason)
{
    PrintResult r;
    r.reason = reason;
    return r;
}

PrintResult cancelled()
{
    PrintResult r;
    r.cancelled = true;
    return r;
}

QString failureReason(Failure f)
{
    if (f == Failure::Overflow)
        return QCoreApplication::translate("PrintTape", "the total is too wide for the page.");
    return QString::fromLatin1(failureName(f)) + QLatin1Char('.');
}

// "Print running totals", offered where there are running totals to print:
// in the preview's tool bar, or below a file dialog's fields.
QCheckBox* addRunningTotalsBox(QDialog& dialog, const std::vector<std::string>* runningTotals)
{
    if (!runningTotals)
        return nullptr;
    auto* box = new QCheckBox(QCoreApplication::translate("PrintTape", "Print running totals"), &dialog);
    box->setObjectName(QStringLiteral("printRunningTotals"));
    if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
        if (auto* bar = preview->findChild<QToolBar*>()) {
            bar->addSeparator();
            bar->addWidget(box);
        }
        if (auto* view = preview->findChild<QPrintPreviewWidget*>())
            QObject::connect(box, &QCheckBox::toggled, view, &QPrintPreviewWidget::updatePreview);
        return box;
    }
    if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        // Qt's own dialog, whose grid takes one more row.
        files->setOption(QFileDialog::DontUseNativeDialog);
        if (auto* grid = qobject_cast<QGridLayout*>(files->layout())) {
            grid->addWidget(box, grid->rowCount(), 0, 1, -1);
            return box;
        }
    }
    delete box;
    return nullptr;
}

} // namespace

namespace {

// `deviceName` says in a failure which device did not start.
PrintResult paintStrip(QPagedPaintDevice& device, const QString& deviceName, const Tape& tape,
                       int decimalPlaces, const Regional& regional, const QString& totalText,
                       const std::vector<std::string>* runningTotals)
{
    QPainter painter;
    if (!painter.begin(&device))
        return failed(QCoreApplication::translate("PrintTape", "%1 could not be started.").arg(deviceName));

    const QFont regular = tapeFont(false);
    const QFont bold = tapeFont(true);
    const QFontMetricsF regularMetrics(regular, &device);
    const QFontMetricsF boldMetrics(bold, &device);
    const PrintTextWidth width = [&](std::string_view text, bool isBold) {
        return (isBold ? boldMetrics : regularMetrics).horizontalAdvance(toQ(text));
    };

    PrintColumns columns;
    columns.runningTotals = runningTotals;
    columns.pageWidth = device.width();
    const Result<PrintPlan> plan =
        planPrintedTape(tape, decimalPlaces, regional, toStd(totalText), width, columns);
    if (!plan) {
        painter.end();
        return failed(failureReason(plan.failure()));
    }

    // The device's height is that of the printable area of one page.
    const double lineHeight = std::max(regularMetrics.lineSpacing(), boldMetrics.lineSpacing());
    const double pageHeight = device.height();
    int page = 0;
    for (std::size_t i = 0; i < plan->lines.size(); ++i) {
        const PrintLine& line = plan->lines[i];
        const PrintPlace place = printPlace(i, lineHeight, pageHeight);
        while (page < place.page) {
            if (!device.newPage()) {
                painter.end();
                return failed(QCoreApplication::translate("PrintTape", "the printer could not start page %1.").arg(page + 2));
            }
            ++page;
        }
        const QFontMetricsF& metrics = line.bold ? boldMetrics : regularMetrics;
        painter.setFont(line.bold ? bold : regular);
        const double baseline = place.y + metrics.ascent();
        painter.drawText(QPointF(0, baseline), toQ(line.op));
        painter.drawText(QPointF(line.amountX, baseline), toQ(line.amount));
        if (!line.note.empty() || !line.runningTotal.empty()) {
            painter.setFont(regular);
            if (!line.note.empty())
                painter.drawText(QPointF(line.noteX, baseline), toQ(line.note));
            if (!line.runningTotal.empty())
                painter.drawText(QPointF(line.runningTotalX, baseline), toQ(line.runningTotal));
        }
    }
    if (!painter.end())
        return failed(QCoreApplication::translate("PrintTape", "the document could not be completed."));
    PrintResult result;
    result.printed = true;
    result.lines = static_cast<int>(plan->lines.size());
    result.pages = page + 1;
    return result;
}

} // namespace

PrintResult paintTape(QPagedPaintDevice& device, const Tape& tape, int decimalPlaces,
                      const Regional& regional, const QString& totalText, const std::vector<std::string>* runningTotals)
{
    return paintStrip(device, QCoreApplication::translate("PrintTape", "the document"), tape, decimalPlaces, regional,
                      totalText, runningTotals);
}

PrintResult printTape(QPrinter& printer, const Tape& tape, int decimalPlaces,
                      const Regional& regional, const QString& totalText, const std::vector<std::string>* runningTotals)
{
    if (!printer.isValid())
        return failed(QCoreApplication::translate("PrintTape", "the printer is not available."));
    const QString name = QCoreApplication::translate("PrintTape", "the printer \"%1\"")
                             .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                     : printer.outputFileName());
    return paintStrip(printer, name, tape, decimalPlaces, regional, totalText, runningTotals);
}

PrintResult printTapeOnDefaultPrinter(const Tape& tape, int decimalPlaces,
                                      const Regional& regional, const QString& totalText)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return failed(QCoreApplication::translate("PrintTape", "no default printer is set up."));
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(docName());
    return printTape(printer, tape, decimalPlaces, regional, totalText);
}

PrintResult printTapeOnDefaultPrinter(QWidget* parent, const Tape& tape, int decimalPlaces,
                                      const Regional& regional, const QString& totalText)
{
    const PrintResult r = printTapeOnDefaultPrinter(tape, decimalPlaces, regional, totalText);
    showPrintFailure(parent, r);
    return r;
}

PrintResult printTapeWithDialog(QWidget* parent, const Tape& tape, int decimalPlaces,
                                const Regional& regional, const QString& totalText)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName());
    QPrintDialog dialog(&printer, parent);
    // The strip is printed whole: no page range or selection to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return cancelled();
    const PrintResult r = printTape(printer, tape, decimalPlaces, regional, totalText);
    showPrintFailure(parent, r);
    return r;
}

PrintResult previewTape(QWidget* parent, const Tape& tape, int decimalPlaces,
                        const Regional& regional, const QString& totalText, const std::vector<std::string>* runningTotals)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName());
    QPrintPreviewDialog dialog(&printer, parent);
    QCheckBox* withTotals = addRunningTotalsBox(dialog, runningTotals);
    // Painted for the preview and again when the user prints from it; the
    // dialog is accepted only by printing.
    PrintResult last = cancelled();
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&](QPrinter* target) {
                         if (target)
                             last = printTape(*target, tape, decimalPlaces, regional, totalText,
                                              withTotals && withTotals->isChecked() ? runningTotals : nullptr);
                     });
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!last.printed) {
        showPrintFailure(parent, last);
        return last;
    }
    if (!accepted)
        return cancelled();
    return last;
}

PrintResult renderTapePdf(QByteArray& pdf, const Tape& tape, int decimalPlaces,
                          const Regional& regional, const QString& totalText, const std::vector<std::string>* runningTotals)
{
    pdf.clear();
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly))
        return failed(QCoreApplication::translate("PrintTape", "no memory for the document."));
    PrintResult r;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(docName());
        writer.setCreator(QStringLiteral("Quillmate"));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        r = paintTape(writer, tape, decimalPlaces, regional, totalText, runningTotals);
    }
    buffer.close();
    if (!r.printed)
        pdf.clear();
    return r;
}

PrintResult printTapeToPdf(const QString& pdfPath, const Tape& tape, int decimalPlaces,
                           const Regional& regional, const QString& totalText, const std::vector<std::string>* runningTotals)
{
    if (pdfPath.isEmpty())
        return failed(QCoreApplication::translate("PrintTape", "no output file was named."));
    QByteArray pdf;
    PrintResult r = renderTapePdf(pdf, tape, decimalPlaces, regional, totalText, runningTotals);
    if (!r.printed)
        return r;
    const FileStatus written =
        writeFileSafely(toFsPath(pdfPath), std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
    if (!written)
        return failed(QCoreApplication::translate("PrintTape", "\"%1\" cannot be written: %2")
                          .arg(displayFileName(pdfPath), fileStatusText(written)));
    return r;
}

QString pdfTargetRefusal(const QString& path)
{
    const QString name = displayFileName(path);
    const qm::PdfTarget target = qm::checkPdfTarget(toFsPath(path), true);
    switch (target.problem) {
    case qm::PdfTargetProblem::None:
        return {};
    case qm::PdfTargetProblem::NameNotPdf:
        return QCoreApplication::translate("PrintTape", "\"%1\" does not end in \".pdf\"; a PDF file is written only under such a name.")
            .arg(name);
    case qm::PdfTargetProblem::ExistingNotPdf:
    case qm::PdfTargetProblem::ContentNotPdf:
        return QCoreApplication::translate("PrintTape", "\"%1\" already exists and is not a PDF file, so it is not replaced.")
            .arg(name);
    case qm::PdfTargetProblem::LinkToNotPdf:
        return QCoreApplication::translate("PrintTape", "\"%1\" is a link to \"%2\", which is not a PDF file, so it is not replaced.")
            .arg(name, displayFileName(fromFsPath(target.file)));
    }
    return {};
}

PrintResult exportTapePdf(QWidget* parent, const Tape& tape, int decimalPlaces,
                          const Regional& regional, const QString& totalText,
                          const QString& suggestedPath, const std::vector<std::string>* runningTotals)
{
    QFileDialog dialog(parent, QCoreApplication::translate("PrintTape", "Export PDF"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QCoreApplication::translate("PrintTape", "PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(suggestedPath.isEmpty() ? docName() + QStringLiteral(".pdf") : suggestedPath);
    QCheckBox* withTotals = addRunningTotalsBox(dialog, runningTotals);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return cancelled();
    const QString chosen = dialog.selectedFiles().constFirst();
    if (const QString refused = pdfTargetRefusal(chosen); !refused.isEmpty()) {
        const PrintResult r = failed(refused);
        showPrintFailure(parent, r);
        return r;
    }
    const PrintResult r = printTapeToPdf(chosen, tape, decimalPlaces, regional, totalText,
                                         withTotals && withTotals->isChecked() ? runningTotals : nullptr);
    showPrintFailure(parent, r);
    return r;
}

QString printFailureText(const QString& reason)
{
    return QCoreApplication::translate("PrintTape", "The tape was not printed: %1").arg(reason);
}

void showPrintFailure(QWidget* parent, const PrintResult& result)
{
    if (result.printed || result.cancelled)
        return;
    QMessageBox box(QMessageBox::Warning, messageTitle(), printFailureText(result.reason),
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace qm::ui
