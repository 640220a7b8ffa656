// Regional separators from Qt's locales, the names that are calculations, the
// settings file of one run (which is read, written at close, left alone) and
// the German translation (chosen from the locale, built in, complete, with
// Qt's own texts beside it, and menus with an access key each), and the style
// whose menu-bar arrow is read when first drawn.

#include "ui/UiTestSupport.h"

#include "core/game/GameSession.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MainWindowDesign.h"
#include "core/tape/SettingsFile.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/DeferredIconStyle.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"
#include "ui/platform/SettingsStore.h"
#include "ui/platform/Translations.h"

#include <QDialogButtonBox>
#include <QLibraryInfo>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTranslator>

#include <sys/wait.h>
#include <unistd.h>

namespace qm::ui {
namespace {

QByteArray bytesOf(const SettingsData& d) { return QByteArray::fromStdString(writeSettings(d)); }

SettingsData marked(const char* caption)
{
    SettingsData d = builtInSettings();
    d.buttons[0] = {caption, "", ""};
    d.HighScoreNames[0] = Value("Ann");
    d.HighScores[0] = 7;
    return d;
}

// bin/ (the program's folder), cfg/ (the user's), and files around them.
class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tmp.isValid() && QDir().mkpath(at("bin"))); }
    void TearDown() override { QFile::setPermissions(at("bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    QString at(const QString& name) const { return tmp.filePath(name); }
    SettingsFolders folders() const { return {at("bin"), QStringLiteral("qm"), at("cfg")}; }
    void put(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(test::writeFile(at(name), bytes)); }

    QTemporaryDir tmp;
};

TEST_F(SettingsStoreTest, WhatIsReadWrittenAndLeftAlone)
{
    EXPECT_EQ(settingsFileName(QStringLiteral("quillmate")), "Custom quillmate.cal");
    const QByteArray mine = bytesOf(marked("Mine"));
    const QByteArray cut = mine.left(8 + 4 + 4 + 3);   // inside the length of button 1's caption
    const QString defaultCaption = QString::fromStdString(defaultFunctionButtons()[0].Caption);
    const QMap<QString, QByteArray> contents = {
        {"mine", mine}, {"cut", cut}, {"calc", "Ferrowick 6\r\n+12.5\r\n"}, {"text", "shopping list\n"},
        {"user", bytesOf(marked("User"))},
        {"short", QByteArray("\x08\x00\x03\x00" "Abc" "\x08\x00\x01\x00" "X" "\x08\x00\x02\x00" "Hi", 19)}};
    for (const qm::test::CaseRow& row : qm::test::caseFile("ui_settings_store.tsv", 8)) {
        SCOPED_TRACE(row.where);
        const auto field = [&row, this](std::size_t i) { return QString::fromStdString(row[i]).replace("DIR", tmp.path()); };
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(at("bin"));
        for (const QString& step : field(1).split(';', Qt::SkipEmptyParts)) {
            const QStringList w = step.split(':');
            if (w[0] == "put")
                put(w[1], contents.value(w[2]));
            else if (w[0] == "mkdir")
                QDir().mkpath(at(w[1]));
            else if (w[0] == "readonly")
                QFile::setPermissions(at(w[1]), QFile::ReadOwner);
            else
                QFile::setPermissions(at("bin"), QFile::ReadOwner | QFile::ExeOwner);
        }
        const struct { QString argument, caption0, writes, notice; QStringList keeps; bool damagedCopy; } c = {
            field(2), field(3) == "default" ? defaultCaption : field(3), field(4), field(5),
            field(6).split(',', Qt::SkipEmptyParts), row[7] == "1"};
        QMap<QString, QByteArray> before;
        for (const QString& f : c.keeps)
            before[f] = test::readFile(at(f));
        const QByteArray written = test::readFile(at(c.writes));

        SettingsStore store(c.argument, folders());
        const SettingsData& data = store.load();
        EXPECT_EQ(QString::fromStdString(data.buttons[0].Caption), c.caption0);
        EXPECT_EQ(store.file(), at(c.writes));
        EXPECT_EQ(test::readFile(at(c.writes)), written);   // nothing is written before close
        if (c.notice.isEmpty()) {
            EXPECT_EQ(store.notice(), QString());
        } else {
            EXPECT_TRUE(store.notice().contains(c.notice)) << store.notice().toStdString();
        }

        EXPECT_TRUE(store.save(marked("Saved")));
        EXPECT_EQ(test::readFile(at(c.writes)), bytesOf(marked("Saved")));
        EXPECT_TRUE(QFile::permissions(at(c.writes)) & QFile::WriteOwner);   // read-only files made writable
        for (const QString& f : c.keeps)
            EXPECT_EQ(test::readFile(at(f)), before[f]) << f.toStdString();
        EXPECT_EQ(QFile::exists(at(c.writes + ".damaged")), c.damagedCopy);
        EXPECT_EQ(test::readFile(at(c.writes + ".damaged")), c.damagedCopy ? cut : QByteArray());
        // The user's folder is made only when the settings go there.
        EXPECT_EQ(QDir(at("cfg")).exists(), c.writes.startsWith("cfg/"));
        QFile::setPermissions(at("bin"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Nor a missing program folder, or an installed one (writable for root).
    for (const QString& programDir : {at("gone"), QStringLiteral("/usr/bin")}) {
        SettingsStore store({}, {programDir, QStringLiteral("qm"), at("cfg")});
        store.load();
        EXPECT_EQ(store.file(), at("cfg/Custom qm.cal")) << programDir.toStdString();
    }
}

// As root this runs in a child process that has become "nobody".
TEST_F(SettingsStoreTest, UnreadableFileIsNeitherReadNorWrittenAtClose)
{
    const QByteArray mine = bytesOf(marked("Mine"));
    put("locked.cal", mine);
    ASSERT_TRUE(QFile::setPermissions(tmp.path(), QFile::Permissions(0x7777)));   // anyone may enter and write
    ASSERT_TRUE(QFile::setPermissions(at("locked.cal"), QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
    const QString locked = at("locked.cal");
    auto check = [&]() -> bool {
        SettingsStore store(locked, folders());
        const SettingsData& data = store.load();
        return data.buttons[0].Caption == defaultFunctionButtons()[0].Caption && !store.writesAtClose()
            && store.notice() == locked + ": cannot be read (permission denied); the built-in settings are used "
                                          "and nothing is written at close"
            && !store.save(marked("Saved"));
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(check());
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            std::_Exit(::setgid(65534) != 0 || ::setuid(65534) != 0 ? 2 : check() ? 0 : 1);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 2) << "could not become nobody";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(test::readFile(locked), mine);
}

// Deferred or not, every standard icon gives the wrapped style's pixels.
TEST(DeferredIconStyle, IconsAreTheWrappedStyles)
{
    const DeferredIconStyle style;
    ASSERT_NE(style.baseStyle(), nullptr);
    for (const QStyle::StandardPixmap which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                               QStyle::SP_ToolBarVerticalExtensionButton, QStyle::SP_MessageBoxWarning}) {
        const QIcon got = style.standardIcon(which);
        const QIcon want = style.baseStyle()->standardIcon(which);
        ASSERT_FALSE(want.isNull()) << which;
        EXPECT_FALSE(got.isNull()) << which;
        EXPECT_EQ(got.availableSizes(), want.availableSizes()) << which;
        for (const qreal scale : {1.0, 2.0})
            EXPECT_EQ(got.pixmap(QSize(8, 8), scale).toImage(), want.pixmap(QSize(8, 8), scale).toImage())
                << which << " at " << scale;
        EXPECT_EQ(got.pixmap(16, QIcon::Disabled).toImage(), want.pixmap(16, QIcon::Disabled).toImage()) << which;
        EXPECT_EQ(got.actualSize(QSize(64, 64)), want.actualSize(QSize(64, 64))) << which;
        EXPECT_EQ(got.name(), want.name()) << which;
        const auto painted = [](const QIcon& icon) {
            QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            icon.paint(&painter, QRect(2, 2, 20, 20));
            painter.end();
            return image;
        };
        EXPECT_EQ(painted(got), painted(want)) << which;
    }
}

TEST(Regional, SeparatorsOfLocales)
{
    for (const auto& r : qm::test::caseFile("app_regional.tsv", 3)) {
        const Regional got = regionalFromLocale(QLocale(QString::fromStdString(r[0])));
        EXPECT_EQ(std::string{got.decimalSep} + got.thousandSep, r[1] + r[2]) << r.where;
        EXPECT_EQ(got.grouping, 3) << r.where;
    }
    // Every locale gives two different plain characters.
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const Regional r = regionalFromLocale(locale);
        const std::string name = locale.name().toStdString();
        EXPECT_NE(r.decimalSep, r.thousandSep) << name;
        EXPECT_TRUE(r.decimalSep == '.' || r.decimalSep == ',' || r.decimalSep == '\'') << name;
        EXPECT_GE(static_cast<unsigned char>(r.thousandSep), 0x20u) << name;
        EXPECT_LT(static_cast<unsigned char>(r.thousandSep), 0x80u) << name;
    }
}

// ".clc" in any letter case names a calculation, never the settings file.
TEST(SettingsLocation, CalculationNames)
{
    for (const char* name : {"tape.Clc", "tape.Clc.bak", "budget.clc", "BUDGET.CLC", "/tmp/a.cl", "my.cal"})
        EXPECT_EQ(namesCalculation(QString::fromLatin1(name)), QString::fromLatin1(name).contains(".clc", Qt::CaseInsensitive))
            << name;
}

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
