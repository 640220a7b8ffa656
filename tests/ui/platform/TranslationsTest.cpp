// The German translation: chosen from the locale, built in, complete, with
// Qt's own texts beside it, and menus with an access key each.

#include "core/game/GameSession.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/Translations.h"
#include "ui/UiTestSupport.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMenu>
#include <QPushButton>
#include <QTranslator>

namespace qm::ui {
namespace {

// Installs the translations for a locale for one test, and takes them away after it.
struct Translated {
    QStringList installed;
    explicit Translated(const char* locale)
        : installed(installTranslations(*QCoreApplication::instance(), QLocale(QString::fromLatin1(locale)))) {}
    ~Translated()
    {
        for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    }
};

TEST(Translations, ChosenByTheLocalesFirstLanguage)
{
    const struct { const char* locale; bool own, english; } rows[] = {   // English needs not even Qt's texts
        {"de_DE", true, false}, {"de_AT", true, false}, {"en_US", false, true},
        {"en_GB", false, true}, {"C", false, true}, {"fr_FR", false, false},
    };
    for (const auto& r : rows) {
        Translated t(r.locale);
        EXPECT_EQ(t.installed.contains(QStringLiteral("quillmate")), r.own) << r.locale;
        EXPECT_TRUE(!r.english || t.installed.isEmpty()) << r.locale;
    }
}

// In both languages every menu and every item has an access key of its own
// within its menu, as QMenu finds it, and Ctrl+Q quits; the English items
// are the documented ones in their order.
TEST(Translations, GermanWindowAndAnAccessKeyForEveryMenuItem)
{
    const QStringList english = {
        "Options: Clear All..., Open Calculation..., Save Calculation..., Copy Numbers..., Paste Numbers..., "
        "Copy Tape, Sort Numbers..., Print Calculation..., Print Preview..., Print..., Export PDF..., "
        "Export CSV..., Quit",
        "Decimals: 0, 0.0, 0.00, 0.000, 0.0000, 0.00000, 0.000000, Variable",
        "Total: Numbers..., Average..., Mean..., Mode...",
        "Games: Start Nixie Invaders..., Start Nixie Blaster...",
        "Help: Keyboard Shortcuts, About Quillmate"};
    const struct { const char* locale; QString edition; QStringList titles, menus; } rows[] = {
        {"en_US", "(Educational Version)", {"&Options", "&Edit", "&Decimals", "&Total", "&Games", "&Help"}, english},
        {"de_DE", "(Lernausgabe)", {"&Optionen", "&Bearbeiten", "&Dezimalstellen", "&Summe", "S&piele", "&Hilfe"}, {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.locale);
        Translated t(r.locale);
        MainWindow w;
        EXPECT_EQ(w.windowTitle(), test::windowTitle(r.edition));
        QStringList titles, menus;
        QSet<int> titleKeys;
        for (QAction* title : w.menuBar()->actions()) {
            if (!title->menu())
                continue;
            titles << title->text();
            const int titleKey = QKeySequence::mnemonic(title->text())[0].toCombined();
            EXPECT_TRUE(titleKey != 0 && !titleKeys.contains(titleKey)) << title->text().toStdString();
            titleKeys.insert(titleKey);
            QSet<int> keys;
            QStringList items;
            for (const QAction* a : title->menu()->actions()) {
                const int key = QKeySequence::mnemonic(a->text())[0].toCombined();
                EXPECT_TRUE(a->isSeparator() || (key != 0 && !keys.contains(key))) << a->text().toStdString();
                keys.insert(key);
                if (!a->isSeparator())   // without the access key's mark and the key column
                    items << a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
            }
            menus << QString(title->text()).remove(QLatin1Char('&')) + ": " + items.join(", ");
        }
        EXPECT_EQ(titles, r.titles);
        for (const QString& menu : r.menus)
            EXPECT_TRUE(menus.contains(menu)) << menu.toStdString() << "\n" << menus.join("\n").toStdString();
        EXPECT_EQ(w.menuBar()->actions().front()->menu()->actions().back()->shortcut(),
                  QKeySequence(Qt::CTRL | Qt::Key_Q));
    }

    Translated t("de_DE");
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm"))) {
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
    for (const FunctionButton& b : defaultFunctionButtons())
        texts << toQ(b.ToolTip);
    texts << QString::fromLatin1(GameInvadedText);
    for (const QString& text : texts) {
        EXPECT_TRUE(translatableDesignTexts().contains(text)) << text.toStdString();
        EXPECT_FALSE(german.translate("DesignTexts", text.toLatin1().constData()).isEmpty()) << text.toStdString();
    }
}

// The German catalogue as lupdate makes it from the sources now: a text added
// to the program, or changed, without its German shows up as unfinished.
TEST(Translations, CatalogueIsCompleteForTheSources)
{
    const QString sources = QStringLiteral(QM_TESTDATA_DIR "/../../src");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ts = dir.filePath(QStringLiteral("quillmate_de.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QM_TESTDATA_DIR "/../../translations/quillmate_de.ts"), ts));
    QProcess lupdate;
    lupdate.start(QStringLiteral(QM_LUPDATE),
                  {"-silent", "-no-obsolete", "-locations", "none", "-I", sources, sources + "/ui", "-ts", ts});
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << lupdate.errorString().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    EXPECT_GT(xml.count(QStringLiteral("<message>")), 100);
    static const QRegularExpression message(QStringLiteral("<source>(.*?)</source>\\s*<translation( type=\"unfinished\")?>(.*?)</translation>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression placeholder(QStringLiteral("%L?\\d"));
    for (auto m = message.globalMatch(xml); m.hasNext();) {
        const auto match = m.next();
        const std::string source = match.captured(1).toStdString();
        EXPECT_TRUE(match.captured(2).isEmpty()) << "unfinished: " << source;
        EXPECT_FALSE(match.captured(3).isEmpty()) << "no German: " << source;
        // A placeholder of the English text is kept in the German one.
        for (auto p = placeholder.globalMatch(match.captured(1)); p.hasNext();)
            EXPECT_TRUE(match.captured(3).contains(p.next().captured())) << source;
    }
}

TEST(Translations, ResultWordsInTheTotalBox)
{
    const auto rows = qm::test::caseFile("app_result_words.tsv", 3);
    for (const auto& r : rows)
        EXPECT_EQ(shownResultText(QString::fromStdString(r[0])), QString::fromStdString(r[1])) << r.where;
    Translated t("de_DE");
    for (const auto& r : rows)
        EXPECT_EQ(shownResultText(QString::fromStdString(r[0])), QString::fromStdString(r[2])) << r.where;
}

} // namespace
} // namespace qm::ui
