// Printing through a real CUPS queue: the test starts a private cupsd (its own
// configuration, spool and socket in a temporary folder, so the system's CUPS
// state is never touched), adds a cups-pdf queue as that server's default
// printer, prints from a child process that talks only to this server, and
// then looks at the ink of the PDF that cups-pdf wrote.

#include "PrintPdfTools.h"

#include "ui/commands/PrintTape.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

namespace qm::ui {
namespace {

constexpr int TapeLines = 90;   // enough for a second page
constexpr const char* ChildFlag = "QM_PRINT_CUPS_CHILD";
constexpr const char* QueueName = "PDF";

Tape numberedTape()
{
    Tape t;
    for (int i = 1; i <= TapeLines; ++i) {
        t.TapeOp.push_back(i % 2 ? '+' : 'x');
        t.TapeValue.push_back(Value(Decimal::fromInt(i * 7)));
    }
    return t;
}

// Run by the parent test below in a process of its own, with CUPS_SERVER
// naming the private server (the CUPS library reads it once per process).
TEST(PrintCupsChild, PrintsOnTheDefaultPrinter)
{
    if (!qEnvironmentVariableIsSet(ChildFlag))
        GTEST_SKIP() << "runs only as the child of PrintCups.DefaultQueueOfAPrivateCupsd";
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    ASSERT_FALSE(info.isNull()) << "the private server has no default printer";
    EXPECT_EQ(info.printerName(), QString::fromLatin1(QueueName));
    const PrintResult r = printTapeOnDefaultPrinter(numberedTape(), 2, Regional{'.', ',', 3},
                                                    QStringLiteral("28,665.00"));
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    std::cout << "pages=" << r.pages << " lines=" << r.lines << std::endl;
}

QString homeFolder()
{
    const passwd* pw = getpwuid(geteuid());
    return pw && pw->pw_dir ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath();
}

// Where cups-pdf puts the files of this user: its "Out" setting.
QString cupsPdfOutFolder()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QByteArray& raw : conf.readAll().split('\n')) {
            const QString line = QString::fromLocal8Bit(raw).trimmed();
            if (line.startsWith(QLatin1String("Out ")))
                out = line.mid(4).trimmed();
        }
    }
    out.replace(QLatin1String("${HOME}"), homeFolder());
    out.replace(QLatin1String("${USER}"), QString::fromLocal8Bit(qgetenv("USER")));
    return out;
}

QStringList pdfsIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

struct ToolRun {
    int code = -1;
    QString output;
};

ToolRun runWith(const QProcessEnvironment& env, const QString& program, const QStringList& args,
                int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    ToolRun r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.output = QStringLiteral("(timed out)");
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.output = QString::fromLocal8Bit(p.readAll());
    return r;
}

// Bands of rows that hold ink, with the leftmost and rightmost inked column.
struct InkLine {
    int top = 0, bottom = 0, left = 0, right = 0;
};

std::vector<InkLine> inkLines(const QImage& page)
{
    std::vector<InkLine> lines;
    bool inLine = false;
    for (int y = 0; y < page.height(); ++y) {
        int left = -1, right = -1;
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 128) {
                if (left < 0)
                    left = x;
                right = x;
            }
        }
        if (left < 0) {
            inLine = false;
            continue;
        }
        if (!inLine) {
            lines.push_back({y, y, left, right});
            inLine = true;
        } else {
            InkLine& l = lines.back();
            l.bottom = y;
            l.left = std::min(l.left, left);
            l.right = std::max(l.right, right);
        }
    }
    return lines;
}

class PrivateCupsd {
public:
    ~PrivateCupsd() { stop(); }

    // Returns "" when the server runs, else why not.
    QString start()
    {
        if (!dir_.isValid())
            return QStringLiteral("no temporary folder");
        const QString d = dir_.path();
        for (const char* sub : {"spool", "tmp", "cache", "state", "log", "ppd"})
            QDir(d).mkpath(QString::fromLatin1(sub));
        // The filters run as the unprivileged "lp" user and need these.
        QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                     QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                     QFileDevice::ExeOther);
        ::chmod(QFile::encodeName(d + "/tmp").constData(), 01777);
        socket_ = d + QStringLiteral("/cups.sock");

        writeFile(d + "/cupsd.conf", QStringLiteral("Listen %1\n"
                                                    "LogLevel info\n"
                                                    "WebInterface No\n"
                                                    "Browsing No\n"
                                                    "DefaultAuthType None\n"
                                                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                                    "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                                    "    Allow all\n  </Limit>\n</Policy>\n")
                                         .arg(socket_));
        writeFile(d + "/cups-files.conf",
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\n"
                                 "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                                 "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                 "Printcap %1/printcap\n"
                                 "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                 "SystemGroup root\nFileDevice No\n")
                      .arg(d));

        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start(QStringLiteral("/usr/sbin/cupsd"),
                      {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
        if (!server_.waitForStarted(5000))
            return QStringLiteral("cupsd did not start: ") + server_.errorString();
        QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(socket_) && !deadline.hasExpired()) {
            if (server_.waitForFinished(100))
                break;   // it gave up, see its log
        }
        if (!QFileInfo::exists(socket_))
            return QStringLiteral("cupsd did not open its socket: ") +
                   QString::fromLocal8Bit(server_.readAll()) + log();
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("CUPS_SERVER"), socket_);
        return {};
    }

    void stop()
    {
        if (server_.state() == QProcess::NotRunning)
            return;
        server_.terminate();   // this server only: the QProcess knows its PID
        if (!server_.waitForFinished(10000)) {
            server_.kill();
            server_.waitForFinished(5000);
        }
    }

    QString log() const
    {
        QFile f(dir_.path() + "/log/error_log");
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(3000))
                                           : QString();
    }

    const QProcessEnvironment& env() const { return env_; }

private:
    static void writeFile(const QString& path, const QString& text)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(text.toLocal8Bit());
    }

    QTemporaryDir dir_{QStringLiteral("/tmp/qmcups-XXXXXX")};
    QString socket_;
    QProcess server_;
    QProcessEnvironment env_;
};

TEST(PrintCups, DefaultQueueOfAPrivateCupsd)
{
    for (const char* need : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lpstat",
                             "/usr/lib/cups/backend/cups-pdf"})
        if (!QFileInfo::exists(QString::fromLatin1(need))) {
            GTEST_SKIP() << need << " is missing (packages cups, cups-client, cups-pdf)";
        }
    for (const char* tool : {"pdfinfo", "pdftoppm"}) {
        if (!test::haveTool(QString::fromLatin1(tool)))
            GTEST_SKIP() << tool << " (poppler-utils) is not installed";
    }
    if (qEnvironmentVariableIsSet(ChildFlag))
        GTEST_SKIP() << "not inside the child";

    PrivateCupsd cups;
    const QString why = cups.start();
    if (!why.isEmpty())
        GTEST_SKIP() << "cupsd cannot start here: " << why.toStdString();

    ToolRun add = runWith(cups.env(), "/usr/sbin/lpadmin",
                          {"-p", QueueName, "-E", "-v", "cups-pdf:/", "-m",
                           "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
    if (add.code != 0)   // older set-ups know the PPD only by its path
        add = runWith(cups.env(), "/usr/sbin/lpadmin",
                      {"-p", QueueName, "-E", "-v", "cups-pdf:/", "-P",
                       "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
    ASSERT_EQ(add.code, 0) << add.output.toStdString() << cups.log().toStdString();
    const ToolRun def = runWith(cups.env(), "/usr/sbin/lpadmin", {"-d", QueueName});
    ASSERT_EQ(def.code, 0) << def.output.toStdString();

    const QString outFolder = cupsPdfOutFolder();
    const bool folderExisted = QFileInfo(outFolder).isDir();
    const QStringList before = folderExisted ? pdfsIn(outFolder) : QStringList();

    QProcessEnvironment childEnv = cups.env();
    childEnv.insert(QString::fromLatin1(ChildFlag), QStringLiteral("1"));
    childEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const ToolRun child =
        runWith(childEnv, QCoreApplication::applicationFilePath(),
                {"--gtest_filter=PrintCupsChild.PrintsOnTheDefaultPrinter"}, 60000);
    ASSERT_EQ(child.code, 0) << child.output.toStdString();
    const QRegularExpressionMatch printed =
        QRegularExpression(QStringLiteral("pages=(\\d+) lines=(\\d+)")).match(child.output);
    ASSERT_TRUE(printed.hasMatch()) << child.output.toStdString();
    const int pages = printed.captured(1).toInt();
    EXPECT_EQ(printed.captured(2).toInt(), TapeLines + 1);
    EXPECT_EQ(pages, 2);

    // Wait for cups-pdf: the job leaves the queue and a new file stops growing.
    QString made;
    qint64 lastSize = -1;
    for (QDeadlineTimer deadline(90000); !deadline.hasExpired(); QThread::msleep(500)) {
        const ToolRun queue = runWith(cups.env(), "/usr/bin/lpstat", {"-o"});
        QStringList now = QFileInfo(outFolder).isDir() ? pdfsIn(outFolder) : QStringList();
        for (const QString& b : before)
            now.removeAll(b);
        if (now.isEmpty() || !queue.output.trimmed().isEmpty())
            continue;
        made = QDir(outFolder).filePath(now.first());
        const qint64 size = QFileInfo(made).size();
        if (size > 0 && size == lastSize)
            break;
        lastSize = size;
    }
    cups.stop();
    ASSERT_FALSE(made.isEmpty()) << "no PDF from cups-pdf in " << outFolder.toStdString() << "\n"
                                 << cups.log().toStdString();
    const QString copy = QDir::temp().filePath(QStringLiteral("qm-cups-print-%1.pdf")
                                                   .arg(QCoreApplication::applicationPid()));
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(made, copy));
    QFile::remove(made);
    if (!folderExisted)
        QDir().rmdir(outFolder);

    EXPECT_EQ(test::pdfPages(copy), pages);

    // Ink where the lines should be: one band per printed line, the
    // operators down the left, the amounts ending on one right edge.
    const QString prefix = QDir::temp().filePath(
        QStringLiteral("qm-cups-page-%1").arg(QCoreApplication::applicationPid()));
    int bands = 0;
    for (int page = 1; page <= pages; ++page) {
        const ToolRun render = runWith(QProcessEnvironment::systemEnvironment(), "pdftoppm",
                                       {"-r", "100", "-gray", "-f", QString::number(page), "-l",
                                        QString::number(page), "-singlefile", copy, prefix});
        ASSERT_EQ(render.code, 0) << render.output.toStdString();
        const QImage img(prefix + ".pgm");
        QFile::remove(prefix + ".pgm");
        ASSERT_FALSE(img.isNull());
        const std::vector<InkLine> lines = inkLines(img);
        ASSERT_FALSE(lines.empty()) << "page " << page << " has no ink";
        for (const InkLine& l : lines) {
            EXPECT_NEAR(l.right, lines.front().right, 2) << "page " << page << " line at " << l.top;
            EXPECT_NEAR(l.left, lines.front().left, 4) << "page " << page << " line at " << l.top;
            EXPECT_LT(l.bottom - l.top, 20) << "one text line per band";
        }
        // Lines sit at a steady pitch from the top of the page.
        for (std::size_t i = 1; i < lines.size(); ++i)
            EXPECT_NEAR(lines[i].top - lines[i - 1].top, lines[1].top - lines[0].top, 2);
        EXPECT_LT(lines.front().top, img.height() / 5) << "printing starts at the top";
        if (page < pages) {
            EXPECT_GT(lines.back().bottom, img.height() * 3 / 4) << "a page is full before the next";
        }
        bands += static_cast<int>(lines.size());
    }
    EXPECT_EQ(bands, TapeLines + 1);
    QFile::remove(copy);
}

} // namespace
} // namespace qm::ui
