#pragma once
// Keeps a copy of the tape in the user's data folder, so that a crash, a
// power cut or a careless close never costs the tape. The copy is written a
// moment after each burst of changes and at close, on a thread of its own.
//
// At start the copy of the last run becomes "the last tape", which "Reopen
// Last Tape" brings back. A lock held while the program runs tells a start
// after a crash apart from one after a normal close. Only the run holding the
// lock keeps copies; a second run at the same time leaves them alone.

#include "core/tape/Tape.h"

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
    // The pause after the last change before the copy is written.
    static constexpr int WriteDelayMs = 1000;
    // Lines copied per turn of the event loop: a fraction of a millisecond.
    static constexpr std::size_t SliceLines = 8192;
    static constexpr const char* RecoveryName = "recovery.Clc";
    static constexpr const char* LastTapeName = "last tape.Clc";
    static constexpr const char* LockName = "running.lock";

    // `folder` is made if missing; the editor must outlive this object.
    TapeRecovery(const TapeEditor& editor, const QString& folder, QObject* parent = nullptr);
    ~TapeRecovery() override;

    // The user's data folder (~/.local/share/quillmate on Linux).
    static QString defaultFolder();

    const QString& folder() const { return folder_; }
    QString recoveryFile() const;
    QString lastTapeFile() const;
    bool hasLastTape() const;
    // Whether this run keeps copies (it holds the lock).
    bool keepsCopies() const { return writer_ != nullptr; }
    // The lock of a run that did not close normally was found at start.
    bool lastRunEndedAbnormally() const { return abnormal_; }

    // After every input: a changed tape is written once the changes pause.
    void tapeChanged();
    // Writes a changed tape at once: the copy whole, then written (closing).
    void writeNow();
    // Closing: the last copy is written and on disk, and the lock given back.
    void finish();

private:
    // The pause ended: the copy is taken a slice per turn of the event loop.
    void startCopy();
    void copySlice();
    void submit(std::optional<Tape> copy);

    const TapeEditor& editor_;
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<RecoveryWriter> writer_;
    QTimer pause_;
    std::unique_ptr<RecoverySnapshot> snapshot_;
    std::uint64_t snapshotRevision_ = 0;
    std::uint64_t writtenRevision_ = 0;
    bool abnormal_ = false;
};

} // namespace qm::ui
