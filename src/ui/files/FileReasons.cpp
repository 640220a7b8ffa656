#include "ui/files/FileReasons.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>

namespace qm::ui {

namespace {

const char* const Context = "FileReasons";

// Every reason of the file layer; %1 and %2 stand for what it quotes.
constexpr std::array<const char*, 33> Reasons{
    QT_TRANSLATE_NOOP("FileReasons", "tape line %1 would not open again: %2"),
    QT_TRANSLATE_NOOP("FileReasons", "the file would not open again: %1"),
    QT_TRANSLATE_NOOP("FileReasons", "%1 does not start with an operator (+ - x / ^)"),
    QT_TRANSLATE_NOOP("FileReasons", "%1 holds the grouping symbol \"%2\""),
    QT_TRANSLATE_NOOP("FileReasons", "%1 is out of range"),
    QT_TRANSLATE_NOOP("FileReasons", "%1 is not a number"),
    QT_TRANSLATE_NOOP("FileReasons", "the line is longer than %1 bytes"),
    QT_TRANSLATE_NOOP("FileReasons", "the tape would have more than %1 lines"),
    QT_TRANSLATE_NOOP("FileReasons", "the file is larger than %1 bytes"),
    QT_TRANSLATE_NOOP("FileReasons", "cannot write the file (%1)"),
    QT_TRANSLATE_NOOP("FileReasons", "cannot open file (%1)"),
    QT_TRANSLATE_NOOP("FileReasons", "read error (%1)"),
    QT_TRANSLATE_NOOP("FileReasons", "cannot replace the file (%1)"),
    QT_TRANSLATE_NOOP("FileReasons", "the line is empty"),
    QT_TRANSLATE_NOOP("FileReasons", "the file is empty: no header line"),
    QT_TRANSLATE_NOOP("FileReasons", "no tape line after the header"),
    QT_TRANSLATE_NOOP("FileReasons", "not enough memory"),
    QT_TRANSLATE_NOOP("FileReasons", "the disk is full"),
    QT_TRANSLATE_NOOP("FileReasons", "no permission to write in the file's folder"),
    QT_TRANSLATE_NOOP("FileReasons", "the drive is read-only"),
    QT_TRANSLATE_NOOP("FileReasons", "the folder does not exist"),
    QT_TRANSLATE_NOOP("FileReasons", "the file name is too long"),
    QT_TRANSLATE_NOOP("FileReasons", "the disk quota is used up"),
    QT_TRANSLATE_NOOP("FileReasons", "file not found"),
    QT_TRANSLATE_NOOP("FileReasons", "permission denied"),
    QT_TRANSLATE_NOOP("FileReasons", "is a folder"),
    QT_TRANSLATE_NOOP("FileReasons", "not a regular file"),
    QT_TRANSLATE_NOOP("FileReasons", "not a file name"),
    QT_TRANSLATE_NOOP("FileReasons", "file is read-only"),
    QT_TRANSLATE_NOOP("FileReasons", "cannot choose a temporary file name"),
    QT_TRANSLATE_NOOP("FileReasons", "no file name"),
    QT_TRANSLATE_NOOP("FileReasons", "the note %1 is longer than %2 characters or holds a control character"),
    QT_TRANSLATE_NOOP("FileReasons", "a calculation file is not replaced by an export"),
};

struct Pattern {
    const char* english;
    QRegularExpression match;
};

// Each reason as a whole-text pattern, its %n parts caught.
const std::array<Pattern, Reasons.size()>& patterns()
{
    static const std::array<Pattern, Reasons.size()> all = [] {
        std::array<Pattern, Reasons.size()> list;
        static const QRegularExpression mark(QStringLiteral("%[12]"));
        for (std::size_t i = 0; i < Reasons.size(); ++i) {
            QString re = QRegularExpression::escape(QString::fromLatin1(Reasons[i]));
            re.replace(QRegularExpression::escape(QStringLiteral("%1")), QStringLiteral("(.*)"));
            re.replace(QRegularExpression::escape(QStringLiteral("%2")), QStringLiteral("(.*)"));
            list[i] = {Reasons[i], QRegularExpression(QRegularExpression::anchoredPattern(re),
                                                       QRegularExpression::DotMatchesEverythingOption)};
        }
        return list;
    }();
    return all;
}

QString sentence(QString text)
{
    if (text.isEmpty())
        return text;
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    return text;
}

} // namespace

QString shownFileReason(const QString& reason)
{
    for (const Pattern& p : patterns()) {
        const QRegularExpressionMatch m = p.match.match(reason);
        if (!m.hasMatch())
            continue;
        // A reason that ends in another ("would not open again: ...") has that
        // one translated too; the parts are put in at once, so that a quoted
        // text holding "%2" stays as it is.
        const QString text = QCoreApplication::translate(Context, p.english);
        const bool nested = QString::fromLatin1(p.english).contains(QStringLiteral(": %"));
        const int n = m.lastCapturedIndex();
        const QString last = nested ? shownFileReason(m.captured(n)) : m.captured(n);
        if (n == 0)
            return text;
        if (n == 1)
            return text.arg(last);
        return text.arg(m.captured(1), last);
    }
    return reason;
}

QString fileErrorDetail(long long line, const std::string& reason)
{
    const QString shown = shownFileReason(QString::fromStdString(reason));
    if (line > 0)
        return QCoreApplication::translate("FileReasons", "Line %1: %2.").arg(QString::number(line), shown);
    return sentence(shown);
}

} // namespace qm::ui
