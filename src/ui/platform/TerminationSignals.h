#pragma once
// SIGTERM and SIGINT (a logout, `kill`, Ctrl+C in a terminal) close the
// program as the window manager's close button does, so that the settings and
// the tape's copy are written and the lock is given back. The handler only
// writes a byte to a pipe; the event loop reads it and does the closing.
// A second signal while closing ends the program at once.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace qm::ui {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // `close` runs on the event loop after the first signal. One object at a time.
    explicit TerminationSignals(std::function<void()> close, QObject* parent = nullptr);
    // The handlers in place before are restored.
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void received();

    std::function<void()> close_;
    QSocketNotifier* notifier_ = nullptr;
    int fds_[2] = {-1, -1};
    bool installed_ = false;
};

} // namespace qm::ui
