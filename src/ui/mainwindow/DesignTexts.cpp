#include "ui/mainwindow/DesignTexts.h"

#include <QCoreApplication>

#include <array>

namespace qm::ui {

namespace {

const char* const Context = "DesignTexts";

// The design tables' texts, for lupdate to find.
constexpr std::array<const char*, 18> DesignTexts{
    QT_TRANSLATE_NOOP("DesignTexts", "(Educational Version)"),
    QT_TRANSLATE_NOOP("DesignTexts", "Decimal point..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Clear All..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Addition..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Subtraction..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Multiplication..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Division..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Clear current number..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Back space..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Raise a number to the power of an exponent"),
    QT_TRANSLATE_NOOP("DesignTexts", "Store selected value to memory..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Memory Recall..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Store total to memory..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Value of Pi."),
    QT_TRANSLATE_NOOP("DesignTexts", "Edit"),
    QT_TRANSLATE_NOOP("DesignTexts", "Edit function buttons..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Overflow"),
    QT_TRANSLATE_NOOP("DesignTexts", "Error"),
};

// Results that begin with a word and end with a figure.
constexpr std::array<const char*, 3> ResultPrefixes{
    QT_TRANSLATE_NOOP("DesignTexts", "Average : "),
    QT_TRANSLATE_NOOP("DesignTexts", "Mean : "),
    QT_TRANSLATE_NOOP("DesignTexts", "Mode : "),
};

QString translated(const char* english) { return QCoreApplication::translate(Context, english); }

} // namespace

QString designText(const char* english)
{
    return english ? translated(english) : QString();
}

const QStringList& translatableDesignTexts()
{
    static const QStringList texts = [] {
        QStringList list;
        for (const char* t : DesignTexts)
            list << QString::fromLatin1(t);
        for (const char* t : ResultPrefixes)
            list << QString::fromLatin1(t);
        return list;
    }();
    return texts;
}

QString shownResultText(const QString& result)
{
    static const QString overflow = QStringLiteral("Overflow");
    static const QString error = QStringLiteral("Error");
    if (result == overflow)
        return translated("Overflow");
    for (const char* prefix : ResultPrefixes) {
        const QString p = QString::fromLatin1(prefix);
        if (result.startsWith(p))
            return translated(prefix) + result.mid(p.size());
    }
    // "Error", "Error - Token", or a step's name before "Error" ("Sin Error").
    const qsizetype at = result.indexOf(error);
    if (at >= 0)
        return result.left(at) + translated("Error") + result.mid(at + error.size());
    return result;
}

} // namespace qm::ui
