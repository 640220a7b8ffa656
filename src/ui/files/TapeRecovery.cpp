#include "ui/files/TapeRecovery.h"

#include "core/editing/TapeEditor.h"
#include "core/files/Cp1252.h"
#include "core/files/RecoveryWriter.h"
#include "ui/platform/FilePath.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>
#include <new>
#include <set>
#include <system_error>

namespace qm::ui {

namespace {

constexpr const char* UnclosedStem = "unclosed tape ";
constexpr const char* CopyStem = "recovery ";
constexpr const char* LockStem = "running ";
constexpr int NamedLines = 3;

// The slot a copy's or lock's name gives: "recovery.Clc" is 1, "recovery 7.Clc" 7; 0 for none.
int slotOfName(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:recovery|running)(?: ([1-9][0-9]{0,2}))?\\.(?:Clc|lock)$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch())
        return 0;
    return m.captured(1).isEmpty() ? 1 : m.captured(1).toInt();
}

bool moveOver(const QString& from, const QString& to)
{
    std::error_code ec;
    std::filesystem::rename(toFsPath(from), toFsPath(to), ec);
    return !ec;
}

// "+12.5  -3  x2 …  (7 lines, 14:02)": enough to tell a few tapes apart
// without reading a long one into memory. The empty rows a window starts
// with ("+0" at the end) are not counted.
QString nameOfCopy(const QFileInfo& info)
{
    QFile f(info.filePath());
    QStringList first;
    qint64 lines = 0;      // read so far, the header included
    qint64 counted = 0;    // up to the last line that is not "+0"
    if (f.open(QIODevice::ReadOnly)) {
        QByteArray line;
        QByteArray chunk;
        while (!(chunk = f.read(1 << 16)).isEmpty()) {
            for (char c : chunk) {
                if (c != '\n') {
                    if (line.size() < 40 && c != '\r')
                        line.append(c);
                    continue;
                }
                if (lines > 0 && line != "+0")
                    counted = lines;
                if (lines > 0 && first.size() < NamedLines)
                    first << QString::fromStdString(decodeCp1252(line.toStdString()));
                line.clear();
                ++lines;
            }
        }
    }
    first = first.mid(0, static_cast<int>(std::min<qint64>(counted, NamedLines)));
    QString name = first.join(QStringLiteral("  "));
    if (counted > NamedLines)
        name += QStringLiteral(" \u2026");
    const QString count = counted == 1 ? TapeRecovery::tr("1 line") : TapeRecovery::tr("%L1 lines").arg(counted);
    const QString time = QLocale().toString(info.lastModified(), QLocale::ShortFormat);
    return QStringLiteral("%1  (%2, %3)").arg(name, count, time);
}

} // namespace

TapeRecovery::TapeRecovery(const TapeEditor& editor, const QString& folder, QObject* parent)
    : QObject(parent), editor_(editor), folder_(folder), writtenRevision_(editor.tapeRevision())
{
    clock_.start();
    QDir().mkpath(folder_);
    std::set<int> known;
    for (const QString& name : QDir(folder_).entryList(QDir::Files | QDir::Hidden)) {
        if (const int slot = slotOfName(name); slot > 0 && slot <= MaxWindows)
            known.insert(slot);
    }
    // Every slot whose window is gone gives up its copy; this window takes
    // the first free slot.
    for (int slot : known)
        claimSlot(slot, slot_ == 0);
    for (int slot = 1; slot <= MaxWindows && slot_ == 0; ++slot) {
        if (!known.count(slot))
            claimSlot(slot, true);
    }
    findUnclosed();
    if (slot_ == 0)
        return;   // this window goes without copies

    writer_ = std::make_unique<RecoveryWriter>(toFsPath(recoveryFile()), [this](const FileStatus& status) {
        // On the writer's thread: the window hears of it on its own.
        const QString reason = QString::fromStdString(status.reason);
        QMetaObject::invokeMethod(this, [this, reason] { reportFailure(reason); }, Qt::QueuedConnection);
    });
    wait_.setSingleShot(true);
    wait_.setTimerType(Qt::PreciseTimer);
    connect(&wait_, &QTimer::timeout, this, &TapeRecovery::startCopy);
}

TapeRecovery::~TapeRecovery()
{
    finish();
}

QString TapeRecovery::slotFile(const char* first, const char* stem, const char* suffix, int slot) const
{
    const QString name = slot == 1 ? QLatin1String(first)
                                   : QLatin1String(stem) + QString::number(slot) + QLatin1String(suffix);
    return QDir(folder_).filePath(name);
}

// Takes the slot's lock when its window is gone. A copy it left beside a
// lock was not closed normally: it is set aside for the offer. A copy
// without a lock (left by an older version at a normal close) is the last tape.
bool TapeRecovery::claimSlot(int slot, bool forThisWindow)
{
    const QString lockPath = slotFile(LockName, LockStem, ".lock", slot);
    const bool lockLeft = QFileInfo::exists(lockPath);
    auto lock = std::make_unique<QLockFile>(lockPath);
    // A window may stay open for days: only a lock whose process is gone is stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;   // its window is open
    const QString copy = slotFile(RecoveryName, CopyStem, ".Clc", slot);
    if (QFileInfo(copy).isFile()) {
        if (lockLeft) {
            for (int n = 1; n <= 10 * MaxWindows; ++n) {
                const QString aside = QDir(folder_).filePath(UnclosedStem + QString::number(n) + QStringLiteral(".Clc"));
                if (!QFileInfo::exists(aside)) {
                    moveOver(copy, aside);
                    break;
                }
            }
        } else {
            moveOver(copy, lastTapeFile());
        }
    }
    if (!forThisWindow || QFileInfo::exists(copy))
        return false;   // the lock is given back as it goes
    slot_ = slot;
    lock_ = std::move(lock);
    return true;
}

void TapeRecovery::findUnclosed()
{
    const QFileInfoList files = QDir(folder_).entryInfoList(
        {UnclosedStem + QStringLiteral("*.Clc")}, QDir::Files, QDir::Time);   // newest first
    for (const QFileInfo& info : files)
        unclosed_.append({info.filePath(), nameOfCopy(info)});
    abnormal_ = !unclosed_.isEmpty();
}

void TapeRecovery::settleUnclosed(int reopened)
{
    // The tape reopened (or, for No, the newest) becomes the last tape; the
    // others are kept and offered again: a tape is never thrown away unasked.
    const bool any = reopened >= 0 && reopened < unclosed_.size();
    if (!unclosed_.isEmpty())
        moveOver(unclosed_[any ? reopened : 0].file, lastTapeFile());
    unclosed_.clear();
}

QString TapeRecovery::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty())
        folder = QDir::home().filePath(QStringLiteral(".local/share/quillmate"));
    return folder;
}

QString TapeRecovery::recoveryFile() const
{
    return slot_ > 0 ? slotFile(RecoveryName, CopyStem, ".Clc", slot_) : QString();
}

QString TapeRecovery::lockFile() const { return slot_ > 0 ? slotFile(LockName, LockStem, ".lock", slot_) : QString(); }

QString TapeRecovery::lastTapeFile() const { return QDir(folder_).filePath(QLatin1String(LastTapeName)); }

bool TapeRecovery::hasLastTape() const { return QFileInfo(lastTapeFile()).isFile(); }

void TapeRecovery::tapeChanged()
{
    if (!writer_ || editor_.tapeRevision() == writtenRevision_)
        return;
    // Only the first change since the last copy starts the wait.
    if (schedule_.changed(clock_.elapsed()))
        wait_.start(schedule_.delayMs());
}

void TapeRecovery::startCopy()
{
    if (!schedule_.due(clock_.elapsed())) {
        wait_.start(10);   // the timer ran a little early
        return;
    }
    schedule_.copied();
    if (!writer_ || editor_.tapeRevision() == writtenRevision_)
        return;
    try {
        snapshot_ = std::make_unique<RecoverySnapshot>(editor_.tape());
    } catch (const std::bad_alloc&) {
        snapshot_.reset();
        reportFailure(QStringLiteral("out of memory"));
        return;
    }
    snapshotRevision_ = editor_.tapeRevision();
    copySlice();
}

void TapeRecovery::copySlice()
{
    if (!snapshot_ || !writer_)
        return;
    if (editor_.tapeRevision() != snapshotRevision_) {
        // Changed meanwhile: the rest is taken whole at once, so that a
        // long tape typed into without a pause still gets its copy.
        snapshot_.reset();
        writeNow();
        return;
    }
    try {
        if (!snapshot_->copyMore(editor_.tape(), SliceLines)) {
            QTimer::singleShot(0, this, &TapeRecovery::copySlice);
            return;
        }
        writtenRevision_ = snapshotRevision_;
        submit(snapshot_->take());
    } catch (const std::bad_alloc&) {
        reportFailure(QStringLiteral("out of memory"));
    }
    snapshot_.reset();
}

void TapeRecovery::writeNow()
{
    wait_.stop();
    schedule_.copied();
    snapshot_.reset();
    if (!writer_ || editor_.tapeRevision() == writtenRevision_)
        return;
    try {
        submit(recoveryCopy(editor_.tape()));
        writtenRevision_ = editor_.tapeRevision();
    } catch (const std::bad_alloc&) {
        reportFailure(QStringLiteral("out of memory"));
    }
}

// A tape of nothing but empty lines is not kept: the copy of the last tape
// that held something stays (Clear All just before closing, say).
void TapeRecovery::submit(std::optional<Tape> copy)
{
    if (copy)
        writer_->submit(std::move(*copy), editor_.settings().regional);
}

void TapeRecovery::reportFailure(const QString& reason)
{
    if (failureReported_)
        return;
    failureReported_ = true;
    emit copyFailed(reason);
}

void TapeRecovery::finish()
{
    if (!writer_)
        return;
    writeNow();
    writer_->waitIdle();
    writer_.reset();
    if (QFileInfo(recoveryFile()).isFile())
        moveOver(recoveryFile(), lastTapeFile());
    lock_->unlock();
}

} // namespace qm::ui
