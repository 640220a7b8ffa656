#include "ui/platform/RegionalSettings.h"

namespace qm::ui {

namespace {

// One plain character for a separator, or 0 when there is none that fits.
char singleChar(const QString& sep)
{
    if (sep.size() != 1)
        return 0;
    const QChar c = sep.front();
    if (c.isSpace())
        return ' ';   // non-breaking and narrow spaces are typed as blanks
    if (c.unicode() == 0x2019 || c.unicode() == 0x02BC)
        return '\'';  // typographic apostrophe
    if (c.unicode() < 0x80 && !c.isLetterOrNumber() && c.unicode() > 0x20)
        return static_cast<char>(c.unicode());
    return 0;
}

} // namespace

Regional regionalFromLocale(const QLocale& locale)
{
    QLocale grouped = locale;
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);   // the C locale omits groups

    const QString point = grouped.decimalPoint();
    const QString group = grouped.groupSeparator();
    const QString sample = grouped.toString(1000.1, 'f', 2);

    Regional r;
    r.decimalSep = singleChar(point);
    r.thousandSep = singleChar(group);
    if (r.decimalSep == 0)
        r.decimalSep = r.thousandSep == '.' ? ',' : '.';
    if (r.thousandSep == 0 || r.thousandSep == r.decimalSep)
        r.thousandSep = r.decimalSep == ',' ? '.' : ',';

    // Digits per group: those after the last separator of a seven-digit number.
    r.grouping = 0;
    if (!group.isEmpty() && sample.contains(group)) {
        const QString big = grouped.toString(1234567.0, 'f', 0);
        const qsizetype last = big.lastIndexOf(group);
        if (last >= 0)
            r.grouping = static_cast<int>(big.size() - last - group.size());
    }
    return r;
}

Regional systemRegional() { return regionalFromLocale(QLocale::system()); }

} // namespace qm::ui
