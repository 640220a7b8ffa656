// Printing through a real CUPS queue: a private cupsd (its own configuration,
// spool and socket in a temporary folder, so the system's CUPS state is never
// touched) gets a cups-pdf queue as its default printer, a child process that
// talks only to this server prints two pages, and cups-pdf's file is read back.

#include "PrintPdfTools.h"

#include "ui/commands/PrintTape.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QScopeGuard>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <iostream>
#include <utility>

namespace qm::ui {
namespace {

constexpr const char* ChildFlag = "QM_PRINT_CUPS_CHILD";

// Run by the test below in a process of its own, with CUPS_SERVER naming the
// private server (the CUPS library reads it once per process).
TEST(PrintCupsChild, PrintsOnTheDefaultPrinter)
{
    if (!qEnvironmentVariableIsSet(ChildFlag))
        GTEST_SKIP() << "runs only as the child of PrintCups.DefaultQueueOfAPrivateCupsd";
    ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), "PDF");   // 90 lines: two pages
    const PrintResult r = printTapeOnDefaultPrinter(test::countingTape(90), 0, Regional{'.', ',', 3}, "4,095");
    ASSERT_TRUE(r.printed) << r.reason.toStdString();
    std::cout << "pages=" << r.pages << " lines=" << r.lines << std::endl;
}

// Runs a tool against the private server; its output, "" unless it succeeds.
QString run(const QProcessEnvironment& env, const QString& program, const QStringList& args, int ms = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool ok = p.waitForFinished(ms) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return ok ? QString::fromLocal8Bit(p.readAll()) + " " : QString();
}

QString logOf(const QString& dir) { return QString::fromLocal8Bit(test::readFile(dir + "/log/error_log").right(2000)); }

// Where cups-pdf puts this user's files: its "Out" setting.
QString cupsPdfOutFolder()
{
    QString out = QStringLiteral("${HOME}/PDF");
    for (const QByteArray& raw : test::readFile(QStringLiteral("/etc/cups/cups-pdf.conf")).split('\n')) {
        if (raw.trimmed().startsWith("Out "))
            out = QString::fromLocal8Bit(raw.trimmed().mid(4)).trimmed();
    }
    const passwd* pw = getpwuid(geteuid());
    out.replace("${HOME}", pw && pw->pw_dir ? QString::fromLocal8Bit(pw->pw_dir) : QDir::homePath());
    return out.replace("${USER}", qEnvironmentVariable("USER"));
}

// The rows of a page that hold ink, as bands: {top, bottom, right edge}.
std::vector<std::array<int, 3>> inkBands(const QImage& page)
{
    std::vector<std::array<int, 3>> bands;
    bool inBand = false;
    for (int y = 0; y < page.height(); ++y) {
        int right = -1;
        for (int x = 0; x < page.width(); ++x)
            right = qGray(page.pixel(x, y)) < 128 ? x : right;
        if (right >= 0 && !inBand)
            bands.push_back({y, y, right});
        else if (right >= 0)
            bands.back() = {bands.back()[0], y, std::max(bands.back()[2], right)};
        inBand = right >= 0;
    }
    return bands;
}

TEST(PrintCups, DefaultQueueOfAPrivateCupsd)
{
    for (const char* need : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/lpstat",
                             "/usr/lib/cups/backend/cups-pdf", "/usr/bin/pdftoppm"}) {
        if (!QFileInfo::exists(QString::fromLatin1(need)))
            GTEST_SKIP() << need << " is missing (packages cups, cups-client, cups-pdf, poppler-utils)";
    }
    if (qEnvironmentVariableIsSet(ChildFlag))
        GTEST_SKIP() << "not inside the child";
    QTemporaryDir dir(QStringLiteral("/tmp/qmcups-XXXXXX"));
    const QString d = dir.path(), socket = d + "/cups.sock";
    for (const char* sub : {"spool", "tmp", "cache", "state", "log"})
        QDir(d).mkpath(QString::fromLatin1(sub));
    // The filters run as the unprivileged "lp" user and need these.
    ::chmod(QFile::encodeName(d).constData(), 0755);
    ::chmod(QFile::encodeName(d + "/tmp").constData(), 01777);
    ASSERT_TRUE(test::writeFile(d + "/cupsd.conf",
                                QStringLiteral("Listen %1\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                               "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                               "<Policy default>\n<Limit All>\nOrder deny,allow\nAllow all\n"
                                               "</Limit>\n</Policy>\n").arg(socket).toLocal8Bit()));
    ASSERT_TRUE(test::writeFile(d + "/cups-files.conf",
                                QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\nCacheDir %1/cache\n"
                                               "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                               "PageLog %1/log/page_log\nPrintcap %1/printcap\nServerBin /usr/lib/cups\n"
                                               "DataDir /usr/share/cups\nSystemGroup root\nFileDevice No\n").arg(d).toLocal8Bit()));
    QProcess cupsd;   // stopped through its own PID below
    cupsd.setProcessChannelMode(QProcess::MergedChannels);
    cupsd.start("/usr/sbin/cupsd", {"-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
    for (QDeadlineTimer deadline(10000); !QFileInfo::exists(socket) && !deadline.hasExpired();) {
        if (cupsd.waitForFinished(100))
            break;   // it gave up, see its log
    }
    if (!QFileInfo::exists(socket))
        GTEST_SKIP() << "cupsd cannot start here: " << logOf(d).toStdString();
    auto stop = qScopeGuard([&] {
        cupsd.terminate();
        if (!cupsd.waitForFinished(10000))
            cupsd.kill();
    });
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", socket);
    const QStringList queue{"-p", "PDF", "-E", "-v", "cups-pdf:/"};
    QString added = run(env, "/usr/sbin/lpadmin", queue + QStringList{"-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
    if (added.isEmpty())   // older set-ups know the PPD only by its path
        added = run(env, "/usr/sbin/lpadmin", queue + QStringList{"-P", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"});
    ASSERT_FALSE(added.isEmpty()) << logOf(d).toStdString();
    ASSERT_FALSE(run(env, "/usr/sbin/lpadmin", {"-d", "PDF"}).isEmpty());

    const QString outFolder = cupsPdfOutFolder();
    const bool folderExisted = QFileInfo(outFolder).isDir();
    const QStringList before = QDir(outFolder).entryList({"*.pdf"}, QDir::Files);
    QProcessEnvironment childEnv = env;
    childEnv.insert(ChildFlag, "1");
    childEnv.insert("QT_QPA_PLATFORM", "offscreen");
    const QString child = run(childEnv, QCoreApplication::applicationFilePath(),
                              {"--gtest_filter=PrintCupsChild.PrintsOnTheDefaultPrinter"}, 60000);
    ASSERT_TRUE(child.contains("pages=2 lines=91")) << child.toStdString();

    // cups-pdf's file: the job has left the queue and the new file stops growing.
    QString made;
    for (qint64 lastSize = -1, deadline = 180; deadline-- > 0; QTest::qWait(500)) {
        QStringList now = QDir(outFolder).entryList({"*.pdf"}, QDir::Files);
        for (const QString& b : before)
            now.removeAll(b);
        if (now.isEmpty() || !run(env, "/usr/bin/lpstat", {"-o"}).trimmed().isEmpty())
            continue;
        made = QDir(outFolder).filePath(now.first());
        if (std::exchange(lastSize, QFileInfo(made).size()) == QFileInfo(made).size())
            break;
    }
    ASSERT_FALSE(made.isEmpty()) << "no PDF in " << outFolder.toStdString() << "\n" << logOf(d).toStdString();
    const QString copy = dir.filePath("printed.pdf");
    ASSERT_TRUE(QFile::copy(made, copy));
    QFile::remove(made);
    if (!folderExisted)
        QDir().rmdir(outFolder);

    // Two pages, one band of ink per printed line, the amounts on one right
    // edge, the first page full before the second starts.
    int bands = 0;
    for (int page = 1; page <= 2; ++page) {
        const QString n = QString::number(page), prefix = dir.filePath("page" + n);
        test::runTool("pdftoppm", {"-r", "100", "-gray", "-f", n, "-l", n, "-singlefile", copy, prefix});
        const QImage img(prefix + ".pgm");
        ASSERT_FALSE(img.isNull()) << "page " << page;
        const auto lines = inkBands(img);
        ASSERT_GE(lines.size(), 2u) << "page " << page;
        for (const auto& l : lines) {
            EXPECT_NEAR(l[2], lines.front()[2], 2) << "page " << page << " line at " << l[0];
            EXPECT_LT(l[1] - l[0], 20) << "one text line per band";
        }
        if (page == 1) {
            EXPECT_GT(lines.back()[1], img.height() * 3 / 4);
        }
        bands += static_cast<int>(lines.size());
    }
    EXPECT_EQ(bands, 91) << "no line on a third page";
}

} // namespace
} // namespace qm::ui
