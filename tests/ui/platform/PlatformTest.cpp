#include "ui/platform/Clipboard.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

TEST(Regional, SeparatorsOfCommonLocales)
{
    const struct {
        const char* locale;
        char decimalSep;
        char thousandSep;
        int grouping;
    } rows[] = {
        {"C", '.', ',', 3},
        {"en_US", '.', ',', 3},
        {"en_GB", '.', ',', 3},
        {"de_DE", ',', '.', 3},
        {"fr_FR", ',', ' ', 3},      // narrow no-break space typed as a blank
        {"de_CH", '.', '\'', 3},     // typographic apostrophe
        {"hi_IN", '.', ',', 3},      // 12,34,567: the last group counts
    };
    for (const auto& r : rows) {
        const QLocale locale = QString::fromLatin1(r.locale) == QLatin1String("C")
                                   ? QLocale::c()
                                   : QLocale(QString::fromLatin1(r.locale));
        const Regional got = regionalFromLocale(locale);
        EXPECT_EQ(got.decimalSep, r.decimalSep) << r.locale;
        EXPECT_EQ(got.thousandSep, r.thousandSep) << r.locale;
        EXPECT_EQ(got.grouping, r.grouping) << r.locale;
    }
}

TEST(Regional, SeparatorsAlwaysDifferAndArePlainCharacters)
{
    for (const QLocale& locale : QLocale::matchingLocales(
             QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const Regional r = regionalFromLocale(locale);
        EXPECT_NE(r.decimalSep, r.thousandSep) << locale.name().toStdString();
        EXPECT_TRUE(r.decimalSep == '.' || r.decimalSep == ',' || r.decimalSep == '\'')
            << locale.name().toStdString() << " '" << r.decimalSep << "'";
        EXPECT_GE(static_cast<unsigned char>(r.thousandSep), 0x20u) << locale.name().toStdString();
        EXPECT_LT(static_cast<unsigned char>(r.thousandSep), 0x80u) << locale.name().toStdString();
        EXPECT_GE(r.grouping, 0);
    }
}

TEST(Clipboard, PlainTextRoundTrip)
{
    setClipboardText(QStringLiteral("12.5\r\n0\r\n3"));
    EXPECT_EQ(clipboardText(), QStringLiteral("12.5\r\n0\r\n3"));
    setClipboardText(QString());
    EXPECT_TRUE(clipboardText().isEmpty());
}

TEST(SettingsLocation, NamesAndArguments)
{
    EXPECT_EQ(settingsFileName(QStringLiteral("quillmate")), QStringLiteral("Custom quillmate.cal"));
    EXPECT_EQ(stripQuotes(QStringLiteral("\"/tmp/my file.cal\"")), QStringLiteral("/tmp/my file.cal"));
    EXPECT_TRUE(namesCalculation(QStringLiteral("/tmp/a.Clc")));
    EXPECT_TRUE(namesCalculation(QStringLiteral("/tmp/a.Clc.bak")));
    EXPECT_FALSE(namesCalculation(QStringLiteral("/tmp/a.clc")));
}

struct Folders {
    QTemporaryDir root;
    QString program() const { return root.filePath(QStringLiteral("bin")); }
    QString config() const { return root.filePath(QStringLiteral("config/quillmate")); }
    Folders() { QDir().mkpath(program()); }
};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

TEST(SettingsLocation, DefaultFileInTheWritableProgramFolder)
{
    Folders f;
    const QString expected = QDir(f.program()).filePath(QStringLiteral("Custom qm.cal"));
    SettingsChoice c = chooseSettingsFile(QString(), f.program(), QStringLiteral("qm"), f.config());
    EXPECT_EQ(c.path, expected);
    EXPECT_FALSE(c.read);
    EXPECT_FALSE(QDir(f.config()).exists());   // nothing made that is not needed

    touch(expected);
    c = chooseSettingsFile(QString(), f.program(), QStringLiteral("qm"), f.config());
    EXPECT_EQ(c.path, expected);
    EXPECT_TRUE(c.read);
}

TEST(SettingsLocation, UnwritableProgramFolderUsesTheConfigFolder)
{
    Folders f;
    touch(QDir(f.program()).filePath(QStringLiteral("Custom qm.cal")));
    ASSERT_TRUE(QFile::setPermissions(f.program(), QFile::ReadOwner | QFile::ExeOwner));
    const SettingsChoice c =
        chooseSettingsFile(QString(), f.program(), QStringLiteral("qm"), f.config());
    QFile::setPermissions(f.program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(c.path, QDir(f.config()).filePath(QStringLiteral("Custom qm.cal")));
    EXPECT_TRUE(QDir(f.config()).exists());
    EXPECT_FALSE(c.read);   // the program folder's copy is not the one in use

    // A program folder that does not exist at all is no place to write either.
    const SettingsChoice missing = chooseSettingsFile(
        QString(), f.root.filePath(QStringLiteral("gone")), QStringLiteral("qm"), f.config());
    EXPECT_EQ(missing.path, c.path);
}

TEST(SettingsLocation, ArgumentReplacesTheDefaultUnlessItIsACalculation)
{
    Folders f;
    const QString named = f.root.filePath(QStringLiteral("mine.cal"));
    SettingsChoice c = chooseSettingsFile(QLatin1Char('"') + named + QLatin1Char('"'),
                                          f.program(), QStringLiteral("qm"), f.config());
    EXPECT_EQ(c.path, named);
    EXPECT_FALSE(c.read);   // missing: design-time buttons, written at shutdown
    EXPECT_FALSE(QFile::exists(named));

    touch(named);
    c = chooseSettingsFile(named, f.program(), QStringLiteral("qm"), f.config());
    EXPECT_TRUE(c.read);

    const QString hidden = f.root.filePath(QStringLiteral(".hidden.cal"));
    touch(hidden);
    c = chooseSettingsFile(hidden, f.program(), QStringLiteral("qm"), f.config());
    EXPECT_EQ(c.path, hidden);
    EXPECT_FALSE(c.read);

    const QString calc = f.root.filePath(QStringLiteral("tape.Clc"));
    touch(calc);
    c = chooseSettingsFile(calc, f.program(), QStringLiteral("qm"), f.config());
    EXPECT_EQ(c.path, QDir(f.program()).filePath(QStringLiteral("Custom qm.cal")));
}

TEST(SettingsLocation, InstalledProgramFolderUsesTheConfigFolderEvenForRoot)
{
    Folders f;
    // /usr/bin is writable for root, but an installed program never writes there.
    const SettingsChoice c =
        chooseSettingsFile(QString(), QStringLiteral("/usr/bin"), QStringLiteral("qm"), f.config());
    EXPECT_EQ(c.path, QDir(f.config()).filePath(QStringLiteral("Custom qm.cal")));
}

} // namespace
} // namespace qm::ui
