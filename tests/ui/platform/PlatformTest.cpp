// Regional separators from Qt's locales and where the settings file lives.

#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"
#include "core/tape/SettingsFile.h"
#include "ui/tape/WindowTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

namespace qm::ui {
namespace {

TEST(Regional, SeparatorsOfLocales)
{
    const struct { const char* locale; char decimalSep, thousandSep; } rows[] = {
        {"en_US", '.', ','},
        {"de_DE", ',', '.'},
        {"fr_FR", ',', ' '},    // narrow no-break space typed as a blank
        {"de_CH", '.', '\''},   // typographic apostrophe
        {"hi_IN", '.', ','},    // 12,34,567: the last group counts
    };
    for (const auto& r : rows) {
        const Regional got = regionalFromLocale(QLocale(QString::fromLatin1(r.locale)));
        EXPECT_EQ(got.decimalSep, r.decimalSep) << r.locale;
        EXPECT_EQ(got.thousandSep, r.thousandSep) << r.locale;
        EXPECT_EQ(got.grouping, 3) << r.locale;
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

struct Folders {
    QTemporaryDir root;
    QString program() const { return root.filePath(QStringLiteral("bin")); }
    QString config() const { return root.filePath(QStringLiteral("config/quillmate")); }
    QString inProgram() const { return program() + QStringLiteral("/Custom qm.cal"); }
    QString inConfig() const { return config() + QStringLiteral("/Custom qm.cal"); }
    SettingsChoice choose(const QString& argument, const QString& programDir = {}) const
    {
        return chooseSettingsFile(argument, programDir.isEmpty() ? program() : programDir, "qm", config());
    }
    Folders() { QDir().mkpath(program()); }
};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(SettingsLocation, ProgramFolderWhenWritableElseTheConfigFolder)
{
    Folders f;
    EXPECT_EQ(settingsFileName(QStringLiteral("quillmate")), "Custom quillmate.cal");
    SettingsChoice c = f.choose({});
    EXPECT_EQ(c.path, f.inProgram());
    EXPECT_FALSE(c.read);
    EXPECT_FALSE(QDir(f.config()).exists());   // nothing made that is not needed
    touch(f.inProgram());
    EXPECT_TRUE(f.choose({}).read);

    ASSERT_TRUE(QFile::setPermissions(f.program(), QFile::ReadOwner | QFile::ExeOwner));
    c = f.choose({});
    QFile::setPermissions(f.program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(c.path, f.inConfig());
    EXPECT_TRUE(QDir(f.config()).exists());
    EXPECT_FALSE(c.read);   // the program folder's copy is not the one in use
    // A missing program folder, or an installed one (writable for root), neither.
    EXPECT_EQ(f.choose({}, f.root.filePath("gone")).path, f.inConfig());
    EXPECT_EQ(f.choose({}, "/usr/bin").path, f.inConfig());
}

TEST(SettingsLocation, ArgumentReplacesTheDefaultUnlessItIsACalculation)
{
    Folders f;
    const QString named = f.root.filePath("my file.cal");
    SettingsChoice c = f.choose(QLatin1Char('"') + named + QLatin1Char('"'));
    EXPECT_EQ(c.path, named);
    EXPECT_FALSE(c.read);   // missing: design-time buttons, written at shutdown
    EXPECT_FALSE(QFile::exists(named));
    ASSERT_TRUE(test::writeFile(named, QByteArray::fromStdString(writeSettings(builtInSettings()))));
    EXPECT_TRUE(f.choose(named).read);

    // A hidden settings file is one like any other.
    const QString hidden = f.root.filePath(".hidden.cal");
    ASSERT_TRUE(QFile::copy(named, hidden));
    c = f.choose(hidden);
    EXPECT_EQ(c.path, hidden);
    EXPECT_TRUE(c.read);

    // ".clc" in any letter case names a calculation, never the settings file.
    for (const char* calc : {"tape.Clc", "tape.Clc.bak", "budget.clc", "BUDGET.CLC"}) {
        touch(f.root.filePath(calc));
        EXPECT_TRUE(namesCalculation(f.root.filePath(calc))) << calc;
        EXPECT_EQ(f.choose(f.root.filePath(calc)).path, f.inProgram()) << calc;
    }
    EXPECT_FALSE(namesCalculation(QStringLiteral("/tmp/a.cl")));
}

} // namespace
} // namespace qm::ui
