#pragma once
// The user's number separators, read from the system's regional settings.

#include "core/number/TextForm.h"

#include <QLocale>
#include <QString>

namespace qm::ui {

// Formats 1000.1 with 2 decimals under the locale and takes the thousands
// separator and the decimal separator from the result ("1,000.10" gives ","
// and "."). Separators that are not one plain character are replaced by the
// nearest single character: a non-breaking space by a blank, anything else
// by "," or "."; a locale that does not group digits gets grouping 0.
Regional regionalFromLocale(const QLocale& locale);

// The same for QLocale::system().
Regional systemRegional();

// Conversions between the widgets' QString and the core's UTF-8 text.
inline std::string toStd(const QString& s) { return s.toStdString(); }
inline QString toQ(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace qm::ui
