#include "ui/files/TapeRecovery.h"

#include "core/editing/TapeEditor.h"
#include "core/files/RecoveryWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include "ui/platform/FilePath.h"

#include <QStandardPaths>

#include <filesystem>
#include <system_error>

namespace qm::ui {

TapeRecovery::TapeRecovery(const TapeEditor& editor, const QString& folder, QObject* parent)
    : QObject(parent), editor_(editor), folder_(folder), writtenRevision_(editor.tapeRevision())
{
    QDir().mkpath(folder_);
    const QString lockPath = QDir(folder_).filePath(QLatin1String(LockName));
    const bool lockLeft = QFileInfo::exists(lockPath);
    lock_ = std::make_unique<QLockFile>(lockPath);
    // A run may last for days: only a lock whose process is gone is stale.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0))
        return;   // another run keeps the copies
    // The lock was left by a run that ended without closing.
    abnormal_ = lockLeft;

    // The last run's copy becomes the last tape. A run that changed nothing
    // left no copy, and the last tape stays the one before.
    std::error_code ec;
    const std::filesystem::path copy = toFsPath(recoveryFile());
    if (std::filesystem::is_regular_file(copy, ec))
        std::filesystem::rename(copy, toFsPath(lastTapeFile()), ec);

    writer_ = std::make_unique<RecoveryWriter>(copy);
    pause_.setSingleShot(true);
    pause_.setInterval(WriteDelayMs);
    connect(&pause_, &QTimer::timeout, this, &TapeRecovery::startCopy);
}

TapeRecovery::~TapeRecovery()
{
    finish();
}

QString TapeRecovery::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty())
        folder = QDir::home().filePath(QStringLiteral(".local/share/quillmate"));
    return folder;
}

QString TapeRecovery::recoveryFile() const { return QDir(folder_).filePath(QLatin1String(RecoveryName)); }

QString TapeRecovery::lastTapeFile() const { return QDir(folder_).filePath(QLatin1String(LastTapeName)); }

bool TapeRecovery::hasLastTape() const { return QFileInfo(lastTapeFile()).isFile(); }

void TapeRecovery::tapeChanged()
{
    if (writer_ && editor_.tapeRevision() != writtenRevision_)
        pause_.start();   // restarted by every change of a burst
}

void TapeRecovery::startCopy()
{
    if (!writer_ || editor_.tapeRevision() == writtenRevision_)
        return;
    snapshot_ = std::make_unique<RecoverySnapshot>(editor_.tape());
    snapshotRevision_ = editor_.tapeRevision();
    copySlice();
}

void TapeRecovery::copySlice()
{
    if (!snapshot_ || !writer_)
        return;
    if (editor_.tapeRevision() != snapshotRevision_) {
        snapshot_.reset();   // changed meanwhile: the new pause copies it afresh
        return;
    }
    if (!snapshot_->copyMore(editor_.tape(), SliceLines)) {
        QTimer::singleShot(0, this, &TapeRecovery::copySlice);
        return;
    }
    writtenRevision_ = snapshotRevision_;
    submit(snapshot_->take());
    snapshot_.reset();
}

void TapeRecovery::writeNow()
{
    pause_.stop();
    snapshot_.reset();
    if (!writer_ || editor_.tapeRevision() == writtenRevision_)
        return;
    writtenRevision_ = editor_.tapeRevision();
    submit(recoveryCopy(editor_.tape()));
}

// A tape of nothing but empty lines is not kept: the copy of the last tape
// that held something stays (Clear All just before closing, say).
void TapeRecovery::submit(std::optional<Tape> copy)
{
    if (copy)
        writer_->submit(std::move(*copy), editor_.settings().regional);
}

void TapeRecovery::finish()
{
    if (!writer_)
        return;
    writeNow();
    writer_->waitIdle();
    writer_.reset();
    lock_->unlock();
}

} // namespace qm::ui
