#pragma once
// Runs the built program as from a shell: no display, the C locale unless
// another is asked for, and a print server address that leads nowhere.

#include "ui/UiTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace qm::ui::test {

inline const QString Program = QStringLiteral(QM_BUILD_DIR "/src/app/quillmate");

struct ProgramRun {
    int code = -1;
    std::string out, err;
};

// Any program in that setting (a shell, unshare, ...).
inline ProgramRun runProcess(const QString& program, const QStringList& args,
                             const QString& locale = QStringLiteral("C"), const QString& workingDir = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "LC_NUMERIC"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("/nonexistent/quillmate-cups.sock"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workingDir);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return {-1, "", "program did not finish normally"};
    }
    return {p.exitCode(), p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString()};
}

inline ProgramRun runProgram(const QStringList& args, const QString& locale = QStringLiteral("C"))
{
    return runProcess(Program, args, locale);
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QFileInfo::exists(Program) && dir.isValid()) << "build quillmate first"; }
    QString file(const QString& name, const std::string& bytes)
    {
        EXPECT_TRUE(writeFile(dir.filePath(name), QByteArray::fromStdString(bytes))) << name.toStdString();
        return dir.filePath(name);
    }
    static std::string calc(const std::string& lines) { return "Ferrowick 6\r\n" + lines; }

    QTemporaryDir dir;
};

} // namespace qm::ui::test
