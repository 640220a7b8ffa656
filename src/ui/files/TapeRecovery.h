#pragma once
// Keeps a copy of the tape in the user's data folder, so that a crash, a
// power cut or a careless close never costs the tape. The copy is written at
// most a second after the first change not yet copied (typing on does not put
// it off) and at close, on a thread of its own.
//
// Each window keeps its own copy under a lock of its own: window 1 uses
// "recovery.Clc" and "running.lock", window n "recovery n.Clc" and
// "running n.lock". A normal close makes the window's copy "the last tape",
// which "Reopen Last Tape" brings back, and gives the lock back. A lock whose
// process is gone tells of a window that did not close: its copy is set aside
// as an unclosed tape, which the next start offers.

#include "core/files/RecoverySchedule.h"
#include "core/tape/Tape.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

class QLockFile;

namespace qm {
class RecoverySnapshot;
class RecoveryWriter;
class TapeEditor;
}

namespace qm::ui {

class TapeRecovery : public QObject {
    Q_OBJECT
public:
    // The longest wait from a change to the copy that holds it.
    static constexpr int WriteDelayMs = 1000;
    // Lines copied per turn of the event loop: a fraction of a millisecond.
    static constexpr std::size_t SliceLines = 8192;
    static constexpr const char* RecoveryName = "recovery.Clc";   // window 1's copy
    static constexpr const char* LastTapeName = "last tape.Clc";
    static constexpr const char* LockName = "running.lock";       // window 1's lock
    // Windows open at once that keep copies; any more go without.
    static constexpr int MaxWindows = 99;

    // A copy left by a window that did not close normally.
    struct UnclosedTape {
        QString file;
        QString name;   // its first lines, line count and time, for the user
    };

    // `folder` is made if missing; the editor must outlive this object.
    TapeRecovery(const TapeEditor& editor, const QString& folder, QObject* parent = nullptr);
    ~TapeRecovery() override;

    // The user's data folder (~/.local/share/quillmate on Linux).
    static QString defaultFolder();

    const QString& folder() const { return folder_; }
    // This window's copy and lock.
    QString recoveryFile() const;
    QString lockFile() const;
    QString lastTapeFile() const;
    bool hasLastTape() const;
    // Whether this window keeps copies (it holds a lock).
    bool keepsCopies() const { return writer_ != nullptr; }

    // The copies of windows that did not close normally, newest first.
    const QList<UnclosedTape>& unclosedTapes() const { return unclosed_; }
    // Some were found at start (whatever became of them since).
    bool lastRunEndedAbnormally() const { return abnormal_; }
    // After the offer: the copy reopened (an index into unclosedTapes(), or
    // -1 for none) becomes the last tape and the others stay for the next
    // start; when none was reopened the newest becomes the last tape and the
    // others are dropped.
    void settleUnclosed(int reopened);

    // After every input: a changed tape is written within WriteDelayMs.
    void tapeChanged();
    // Writes a changed tape at once: the copy whole, then written (closing).
    void writeNow();
    // Closing: the last copy is written, becomes the last tape, and the lock
    // is given back.
    void finish();

signals:
    // A copy could not be written; said once per window.
    void copyFailed(const QString& reason);

private:
    bool claimSlot(int slot, bool forThisWindow);
    void findUnclosed();
    // The wait ended: the copy is taken a slice per turn of the event loop.
    void startCopy();
    void copySlice();
    void submit(std::optional<Tape> copy);
    void reportFailure(const QString& reason);
    QString slotFile(const char* first, const char* stem, const char* suffix, int slot) const;

    const TapeEditor& editor_;
    QString folder_;
    int slot_ = 0;   // 0: none
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<RecoveryWriter> writer_;
    RecoverySchedule schedule_{WriteDelayMs};
    QElapsedTimer clock_;
    QTimer wait_;
    std::unique_ptr<RecoverySnapshot> snapshot_;
    std::uint64_t snapshotRevision_ = 0;
    std::uint64_t writtenRevision_ = 0;
    QList<UnclosedTape> unclosed_;
    bool abnormal_ = false;
    bool failureReported_ = false;
};

} // namespace qm::ui
