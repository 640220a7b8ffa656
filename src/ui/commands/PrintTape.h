#pragma once
// Printing the tape as an adding machine prints its paper roll: one line per
// tape line that holds a positive amount, the operator at the left and the
// amount right-aligned, then "=" and the grand total in bold. No dialog, no
// preview: the document goes to the printer as soon as it is complete.

#include "core/number/TextForm.h"
#include "core/tape/Tape.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace qm::ui {

struct PrintResult {
    bool printed = false;
    QString reason;      // why nothing was printed (empty when printed)
    int lines = 0;       // printed lines, the total line included
    int pages = 0;
};

// Prints on a printer that is already set up (a real queue or a PDF file).
PrintResult printTape(QPrinter& printer, const Tape& tape, int decimalPlaces,
                      const Regional& regional, const QString& totalText);

// "Print Calculation...": the system's default printer. No default printer,
// or one that cannot be started, is a failure with its reason.
PrintResult printTapeOnDefaultPrinter(const Tape& tape, int decimalPlaces,
                                      const Regional& regional, const QString& totalText);

// The same document written to a PDF file.
PrintResult printTapeToPdf(const QString& pdfPath, const Tape& tape, int decimalPlaces,
                           const Regional& regional, const QString& totalText);

// The message that tells the user the tape was not printed, and why.
QString printFailureText(const QString& reason);
// Shows that message in a message box with an OK button, titled with the
// title of `parent`'s window (the program's title).
void showPrintFailure(QWidget* parent, const PrintResult& result);

// Batch printing from the command line, `args` being the arguments after the
// program's name:
//   --print FILE.Clc [--decimals 0..6|variable] [--output OUT.pdf]
// Opens the calculation file, recalculates its grand total and prints the tape
// on the default printer, or into OUT.pdf. Needs a QGuiApplication. Returns 0
// when printed; otherwise writes one line to standard error and returns 1.
int runPrintBatch(const QStringList& args);

} // namespace qm::ui
