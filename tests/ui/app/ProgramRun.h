#pragma once
// Runs the built program as from a shell: no display, the C locale unless
// another is asked for, and a print server address that leads nowhere.

#include <QFile>
#include <QFileInfo>
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
    ProgramRun r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        r.err = "program did not finish normally";
        return r;
    }
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

inline ProgramRun runProgram(const QStringList& args, const QString& locale = QStringLiteral("C"))
{
    return runProcess(Program, args, locale);
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(Program)) << "build the target quillmate first";
        ASSERT_TRUE(dir.isValid());
    }
    QString file(const QString& name, const std::string& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return f.fileName();
    }
    static std::string calc(const std::string& lines) { return "Ferrowick 6\r\n" + lines; }
    static QByteArray readBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

} // namespace qm::ui::test
