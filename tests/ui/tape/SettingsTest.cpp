#include "ui/tape/RollingCaculator.h"

#include "core/tape/DefaultButtons.h"
#include "core/tape/SettingsFile.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytesOf(const SettingsData& data)
{
    const std::string s = writeSettings(data);
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// Settings unlike the design-time ones: every button renamed, two high scores.
SettingsData customSettings()
{
    SettingsData d;
    for (int k = 0; k < FunctionButtonCount; ++k) {
        auto& b = d.buttons[static_cast<std::size_t>(k)];
        b.Caption = "F" + std::to_string(k);
        b.Formula = k % 2 ? "X*" + std::to_string(k) : "";
        b.ToolTip = "Tip " + std::to_string(k);
    }
    d.HighScoreNames[0] = Value("Ada");
    d.HighScores[0] = 31;
    d.HighScoreNames[20] = Value("Bob");
    d.HighScores[20] = -2;
    return d;
}

void closeWindow(Rolling_Caculator& w)
{
    w.show();
    EXPECT_TRUE(w.close());
}

TEST(SettingsFile, ArgumentFileIsReadAndWrittenBackByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("my settings.cal"));
    const QByteArray original = bytesOf(customSettings());
    writeAll(path, original);

    Rolling_Caculator w(QLatin1Char('"') + path + QLatin1Char('"'));
    EXPECT_EQ(w.CustomFile, path);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quillmate 8.1    (Educational Version)") + path);
    EXPECT_EQ(w.Stific[0]->caption(), QStringLiteral("F0"));
    EXPECT_EQ(w.Stific[22]->toolTip(), QStringLiteral("Tip 22"));
    EXPECT_EQ(w.functionButtons[3].Formula, "X*3");
    EXPECT_EQ(w.Stific[23]->caption(), QStringLiteral("Edit"));   // not stored
    EXPECT_EQ(w.HighScores[20], -2);
    ASSERT_TRUE(w.HighScoreNames[0].isText());
    EXPECT_EQ(w.HighScoreNames[0].text(), "Ada");
    EXPECT_TRUE(w.HighScoreNames[1].isEmpty());

    // Nothing is written before shutdown.
    writeAll(path, QByteArray("changed meanwhile"));
    closeWindow(w);
    EXPECT_EQ(readAll(path), original);
}

TEST(SettingsFile, MissingArgumentFileKeepsTheDesignButtonsAndIsCreatedAtShutdown)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.cal"));
    Rolling_Caculator w(path);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(w.Stific[0]->caption(), QStringLiteral("Exp"));
    closeWindow(w);
    SettingsData defaults;
    defaults.buttons = defaultFunctionButtons();
    EXPECT_EQ(readAll(path), bytesOf(defaults));
}

TEST(SettingsFile, ReadOnlyFileIsMadeWritableAndOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.cal"));
    SettingsData data = customSettings();
    writeAll(path, bytesOf(data));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
    {
        Rolling_Caculator w(path);
        EXPECT_EQ(w.Stific[1]->caption(), QStringLiteral("F1"));
        // Changes made during the run are what shutdown writes.
        w.functionButtons[1].Caption = "Neu";
        w.HighScoreNames[5] = Value("Cy");
        w.HighScores[5] = 7;
        closeWindow(w);
    }
    data.buttons[1].Caption = "Neu";
    data.HighScoreNames[5] = Value("Cy");
    data.HighScores[5] = 7;
    EXPECT_EQ(readAll(path), bytesOf(data));
    EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);
}

TEST(SettingsFile, HiddenFileCountsAsMissingButIsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral(".hidden.cal"));
    writeAll(path, bytesOf(customSettings()));
    Rolling_Caculator w(path);
    EXPECT_EQ(w.Stific[0]->caption(), QStringLiteral("Exp"));
    closeWindow(w);
    SettingsData defaults;
    defaults.buttons = defaultFunctionButtons();
    EXPECT_EQ(readAll(path), bytesOf(defaults));
}

TEST(SettingsFile, ShortFileEmptiesTheButtonsItDoesNotReach)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("short.cal"));
    // Button 0 complete, then the file ends.
    writeAll(path, QByteArray("\x08\x00\x03\x00" "Abc" "\x08\x00\x01\x00" "X" "\x08\x00\x02\x00" "Hi", 19));
    Rolling_Caculator w(path);
    EXPECT_EQ(w.Stific[0]->caption(), QStringLiteral("Abc"));
    EXPECT_EQ(w.Stific[0]->toolTip(), QStringLiteral("Hi"));
    EXPECT_EQ(w.functionButtons[0].Formula, "X");
    EXPECT_EQ(w.Stific[1]->caption(), QString());
    EXPECT_EQ(w.Stific[22]->caption(), QString());
    EXPECT_EQ(w.Stific[23]->caption(), QStringLiteral("Edit"));
}

TEST(SettingsFile, CalculationArgumentIsNeverTheSettingsFile)
{
    QTemporaryDir dir;
    const QString calc = dir.filePath(QStringLiteral("tape.Clc"));
    const QByteArray tapeBytes("Ferrowick 6\r\n+12.5\r\n");
    writeAll(calc, tapeBytes);
    Rolling_Caculator w(calc);
    EXPECT_NE(w.CustomFile, calc);
    EXPECT_TRUE(w.CustomFile.endsWith(settingsFileName(programName())));
    EXPECT_TRUE(w.windowTitle().endsWith(calc));
    // Shut down without touching the default file in the program's folder.
    w.CustomFile = dir.filePath(QStringLiteral("default.cal"));
    closeWindow(w);
    EXPECT_EQ(readAll(calc), tapeBytes);
    EXPECT_TRUE(QFile::exists(w.CustomFile));
}

TEST(SettingsFile, UnwritableFileFailsSilently)
{
    QTemporaryDir dir;
    // A folder stands where the file should be: it cannot be replaced.
    const QString path = dir.filePath(QStringLiteral("folder.cal"));
    ASSERT_TRUE(QDir().mkpath(path));
    Rolling_Caculator w(path);
    EXPECT_EQ(w.Stific[0]->caption(), QStringLiteral("Exp"));
    closeWindow(w);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
} // namespace qm::ui
