// "Print Calculation...": the tape on the system's default printer.

#include "ui/tape/RollingCaculator.h"

#include "ui/commands/PrintTape.h"
#include "ui/tape/EntryBox.h"

namespace qm::ui {

void Rolling_Caculator::PrintCalc_Click()
{
    const PrintResult result = printTapeOnDefaultPrinter(tape, DecimalPlaces(), settings.regional,
                                                         TotalAmount->text());
    // No printer, or one that fails: the user hears of it; nothing else changes.
    if (!result.printed)
        showPrintFailure(this, result);
}

} // namespace qm::ui
