// "Open Calculation...", "Save Calculation..." and the opening of a calculation
// file named on the command line (index 5, from the first activation).

#include "ui/tape/RollingCaculator.h"

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/files/CalculationFiles.h"

#include <QFileInfo>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace qm::ui {

namespace {

constexpr int OpenIndex = 0;
constexpr int SaveIndex = 1;
constexpr int StartupIndex = 5;

} // namespace

void Rolling_Caculator::LD_Click(int Index)
{
    if (Index < StartupIndex)
        FilePath = chooseCalculationFile(this, Index);
    if (FilePath.isEmpty())
        return;

    const bool opening = Index == OpenIndex || Index == StartupIndex;
    if (opening && QFileInfo(FilePath).isFile()) {
        // openCalculation swaps the new tape in only when the whole file was
        // read, and reports every failure itself.
        if (!openCalculation(this, FilePath, settings.regional, tape))
            return;
        // Every row the window has keeps a tape line, as it does from start-up
        // on, so a short file leaves no row that typing could not store into.
        const std::size_t rows = static_cast<std::size_t>(std::max(LastLoadedRow, 0)) + 1;
        if (tape.size() < rows)
            tape.resize(rows);

        const long long max = std::max(0LL, tape.TapeLast() - LastRow);
        ScrollNum->setValueMax(static_cast<qint32>(std::min<long long>(max, INT32_MAX)));
        // The scroll position stays unless the new tape ends above it.
        if (scrollValue() > scrollMax())
            ScrollNum->setValue(0);
        ScrollNum_Change();
        MailCalc();
    } else if (Index == SaveIndex) {
        saveCalculation(this, FilePath, tape, settings.regional);
    }
}

} // namespace qm::ui
