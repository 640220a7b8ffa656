// The German translation: chosen from the locale, built into the program,
// complete, with Qt's own texts beside it, and the window's menus in German
// with an access key each.

#include "core/tape/MainWindowDesign.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/Translations.h"
#include "ui/tape/WindowTestSupport.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>

namespace qm::ui {
namespace {

// Installs the translations for a locale for one test, and takes them away after it.
struct Translated {
    QStringList installed;
    explicit Translated(const char* locale) : installed(installTranslations(*QCoreApplication::instance(), QLocale(QString::fromLatin1(locale)))) {}
    ~Translated()
    {
        for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

bool qtCatalogueInstalled(const char* language)
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                         + QStringLiteral("/qtbase_%1.qm").arg(QString::fromLatin1(language)));
}

TEST(Translations, ChosenByTheLocalesFirstLanguage)
{
    const struct { const char* locale; bool own; } rows[] = {
        {"de_DE", true}, {"de_AT", true}, {"en_US", false}, {"en_GB", false}, {"C", false}, {"fr_FR", false},
    };
    for (const auto& r : rows) {
        Translated t(r.locale);
        EXPECT_EQ(t.installed.contains(QStringLiteral("quillmate")), r.own) << r.locale;
        // English needs nothing, not even Qt's texts.
        const QString locale = QString::fromLatin1(r.locale);
        if (locale.startsWith(QStringLiteral("en")) || locale == QStringLiteral("C")) {
            EXPECT_TRUE(t.installed.isEmpty()) << r.locale;
        }
    }
}

TEST(Translations, GermanWindowMenusAndQtsOwnTexts)
{
    Translated t("de_DE");
    ASSERT_TRUE(t.installed.contains(QStringLiteral("quillmate")));
    MainWindow w;
    QStringList titles;
    for (QAction* title : w.menuBar()->actions()) {
        if (!title->menu())
            continue;
        titles << title->text();
        // Each item of a menu has its own access key (the decimals share '0').
        QSet<QChar> keys;
        for (const QAction* a : title->menu()->actions()) {
            if (a->isSeparator())
                continue;
            const qsizetype at = a->text().indexOf(QLatin1Char('&'));
            ASSERT_TRUE(at >= 0 && at + 1 < a->text().size()) << a->text().toStdString();
            const QChar key = a->text().at(at + 1).toLower();
            if (key == QLatin1Char('0'))
                continue;
            EXPECT_FALSE(keys.contains(key)) << a->text().toStdString();
            keys.insert(key);
        }
    }
    const QStringList expected{QStringLiteral("&Optionen"), QStringLiteral("&Bearbeiten"), QStringLiteral("&Dezimalstellen"), QStringLiteral("&Summe"),
                               QStringLiteral("S&piele"), QStringLiteral("&Hilfe")};
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillmate 8.1    (Lernausgabe)"));

    if (!qtCatalogueInstalled("de")) {
        std::cout << "[ NOTE     ] qtbase_de.qm is not installed (Debian: qt6-translations-l10n): "
                     "Qt's own German texts not checked\n";
        return;
    }
    EXPECT_TRUE(t.installed.contains(QStringLiteral("qtbase")));
    QDialogButtonBox box(QDialogButtonBox::Close | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Abbrechen"));
}

TEST(Translations, EveryDesignTextIsOfferedAndTranslated)
{
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(":/i18n/quillmate_de.qm")));
    QStringList texts{QString::fromLatin1(design::TitleEdition), QString::fromLatin1(design::EditCaption),
                      QString::fromLatin1(design::EditToolTip), QString::fromLatin1(design::PiButton.toolTip)};
    for (const auto& b : design::Keypad)
        if (b.toolTip)
            texts << QString::fromLatin1(b.toolTip);
    for (const auto& b : design::MemoryButtons)
        texts << QString::fromLatin1(b.toolTip);
    for (const QString& text : texts) {
        EXPECT_TRUE(translatableDesignTexts().contains(text)) << text.toStdString();
        EXPECT_FALSE(german.translate("DesignTexts", text.toLatin1().constData()).isEmpty()) << text.toStdString();
    }
}

TEST(Translations, CatalogueIsComplete)
{
    QFile ts(QStringLiteral(QM_TESTDATA_DIR "/../../translations/quillmate_de.ts"));
    ASSERT_TRUE(ts.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(ts.readAll());
    const int messages = static_cast<int>(xml.count(QStringLiteral("<message>")));
    EXPECT_GT(messages, 100);
    EXPECT_EQ(xml.count(QStringLiteral("type=\"unfinished\"")), 0);
    EXPECT_EQ(xml.count(QStringLiteral("<translation></translation>")), 0);
    // A placeholder of the English text is kept in the German one.
    static const QRegularExpression message(QStringLiteral("<source>(.*?)</source>\\s*<translation>(.*?)</translation>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (auto m = message.globalMatch(xml); m.hasNext();) {
        const auto match = m.next();
        for (auto p = placeholder.globalMatch(match.captured(1)); p.hasNext();)
            EXPECT_TRUE(match.captured(2).contains(p.next().captured())) << match.captured(1).toStdString();
    }
}

TEST(Translations, ResultWordsInTheTotalBox)
{
    const struct { const char* result, *english, *german; } rows[] = {
        {"1234.5", "1234.5", "1234.5"},
        {"-7", "-7", "-7"},
        {"Overflow", "Overflow", "\xc3\x9c" "berlauf"},
        {"Error", "Error", "Fehler"},
        {"Error - Division", "Error - Division", "Fehler - Division"},
        {"Sin Error", "Sin Error", "Sin Fehler"},
        {"Average : 2,25", "Average : 2,25", "Durchschnitt : 2,25"},
        {"Mean : 2.5", "Mean : 2.5", "Median : 2.5"},
        {"Mode : ", "Mode : ", "H\xc3\xa4ufigster Wert : "},
        {"", "", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(shownResultText(QString::fromUtf8(r.result)), QString::fromUtf8(r.english)) << r.result;
    Translated t("de_DE");
    for (const auto& r : rows)
        EXPECT_EQ(shownResultText(QString::fromUtf8(r.result)), QString::fromUtf8(r.german)) << r.result;
}

} // namespace
} // namespace qm::ui
