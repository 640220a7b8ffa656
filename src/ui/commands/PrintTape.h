#pragma once
// Printing the tape as an adding machine prints its paper roll: one line per
// tape line that counts in the total, the operator at the left and the amount
// right-aligned, then "=" and the total line in bold. The same strip goes to
// the default printer, to a printer chosen in the system's dialog, into the
// print preview and into a PDF file.
//
// Every function takes the total line's text as recalculated from the tape
// (qm::printedTotalText), never the grand-total box's text: a game may have
// written into the box.

#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace qm::ui {

struct PrintResult {
    bool printed = false;
    bool cancelled = false;   // the user closed a dialog: nothing to report
    QString reason;           // why nothing was printed (empty when printed or cancelled)
    int lines = 0;            // printed lines, the total line included
    int pages = 0;
};

// Paints the strip on a paged device (a printer, the preview's printer, a PDF
// writer) whose painter is not yet begun; pages break where the page is full.
// `runningTotals` (one text per tape line): printed in a column at the right.
PrintResult paintTape(QPagedPaintDevice& device, const Tape& tape, int decimalPlaces,
                      const Regional& regional, const QString& totalText,
                      const std::vector<std::string>* runningTotals = nullptr);

// Prints on a printer that is already set up (a real queue or a PDF file).
PrintResult printTape(QPrinter& printer, const Tape& tape, int decimalPlaces,
                      const Regional& regional, const QString& totalText,
                      const std::vector<std::string>* runningTotals = nullptr);

// "Print Calculation...": the system's default printer. No default printer,
// or one that cannot be started, is a failure with its reason.
PrintResult printTapeOnDefaultPrinter(const Tape& tape, int decimalPlaces,
                                      const Regional& regional, const QString& totalText);
// The same from the window: a failure is shown in a message box over `parent`.
PrintResult printTapeOnDefaultPrinter(QWidget* parent, const Tape& tape, int decimalPlaces,
                                      const Regional& regional, const QString& totalText);

// "Print...": the system's printer dialog (printer, copies, paper), then the
// strip on the chosen printer. A failure is shown over `parent`.
PrintResult printTapeWithDialog(QWidget* parent, const Tape& tape, int decimalPlaces,
                                const Regional& regional, const QString& totalText);

// "Print Preview...": the strip in a print preview, from which the user may
// print it. `printed` tells whether it was printed from there; a failure is
// shown over `parent`. Given `runningTotals`, a check box "Print running
// totals" offers them.
PrintResult previewTape(QWidget* parent, const Tape& tape, int decimalPlaces,
                        const Regional& regional, const QString& totalText,
                        const std::vector<std::string>* runningTotals = nullptr);

// The PDF document of the strip, as the batch mode and "Export PDF..." write it.
PrintResult renderTapePdf(QByteArray& pdf, const Tape& tape, int decimalPlaces,
                          const Regional& regional, const QString& totalText,
                          const std::vector<std::string>* runningTotals = nullptr);

// The same document written to a PDF file: a temporary file in the target's
// folder is renamed over it, so a failure leaves an existing file as it was.
PrintResult printTapeToPdf(const QString& pdfPath, const Tape& tape, int decimalPlaces,
                           const Regional& regional, const QString& totalText,
                           const std::vector<std::string>* runningTotals = nullptr);

// Why a PDF file must not be written at `path` ("Export PDF..."): a name not
// ending in ".pdf", an existing file that is not a PDF, or a link to one.
// Empty when it may be written.
QString pdfTargetRefusal(const QString& path);

// "Export PDF...": a file chooser (starting at `suggestedPath` when given),
// then, unless pdfTargetRefusal refuses the name, printTapeToPdf. A failure
// is shown over `parent`. Given `runningTotals`, a check box "Print running
// totals" offers them.
PrintResult exportTapePdf(QWidget* parent, const Tape& tape, int decimalPlaces,
                          const Regional& regional, const QString& totalText,
                          const QString& suggestedPath = QString(),
                          const std::vector<std::string>* runningTotals = nullptr);

// The message that tells the user the tape was not printed, and why.
QString printFailureText(const QString& reason);
// Shows that message in a message box with an OK button, titled with the
// title of `parent`'s window (the program's title). Nothing for a result that
// was printed or cancelled.
void showPrintFailure(QWidget* parent, const PrintResult& result);

} // namespace qm::ui
