#include "ui/mainwindow/DesignTexts.h"

#include <QCoreApplication>

#include <array>

namespace qm::ui {

namespace {

const char* const Context = "DesignTexts";

// The design tables' texts, for lupdate to find.
constexpr std::array<const char*, 38> DesignTexts{
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
    // The game's end in the grand-total box, before the score.
    QT_TRANSLATE_NOOP("DesignTexts", "Invaded / Score : "),
    // The built-in function buttons' tooltips; a tooltip the user wrote is
    // shown as written.
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying e (the base of natural logarithms) raised to a power."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the natural logarithm of a number"),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the square root of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the sine of an angle"),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the cosine of an angle"),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the tangent of an angle"),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the Cotangent of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the Cosecant of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the Secant of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the Inverse Sine of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the Inverse Cosine of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Specifying the Inverse Tangent of a number."),
    QT_TRANSLATE_NOOP("DesignTexts", "Fix function returns the current total to the first negative integer greater than or equal to number..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Int function returns the total of first negative integer less than or equal to number..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Round funtion returns a number rounded to a specified number of decimal places... Roun(1) - Rounds total to one decimal place..."),
    QT_TRANSLATE_NOOP("DesignTexts", "Volume of Sphere... Svol(Radius)"),
    QT_TRANSLATE_NOOP("DesignTexts", "Pounds to Kilograms function button... Kilo(Pounds)"),
    QT_TRANSLATE_NOOP("DesignTexts", "Kilograms to Pounds function button... Ibs(Kilos)"),
    QT_TRANSLATE_NOOP("DesignTexts", "Custom function button..."),
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
