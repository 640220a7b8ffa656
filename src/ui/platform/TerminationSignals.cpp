#include "ui/platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <iterator>
#include <utility>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace qm::ui {

#ifndef _WIN32

namespace {

constexpr int Handled[] = {SIGTERM, SIGINT};
volatile std::sig_atomic_t wakeFd = -1;
struct sigaction previous[std::size(Handled)];

extern "C" void onTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    if (wakeFd >= 0) {
        // A full pipe already holds a wake-up: nothing is lost.
        [[maybe_unused]] const ssize_t written = ::write(wakeFd, &byte, 1);
    }
    errno = savedErrno;
}

bool setNonBlockingCloseOnExec(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL);
    const int fdFlags = ::fcntl(fd, F_GETFD);
    return flags >= 0 && fdFlags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0
        && ::fcntl(fd, F_SETFD, fdFlags | FD_CLOEXEC) == 0;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> close, QObject* parent)
    : QObject(parent), close_(std::move(close))
{
    if (wakeFd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, fds_) != 0)
        return;   // without the pipe the signals keep their default action
    if (!setNonBlockingCloseOnExec(fds_[0]) || !setNonBlockingCloseOnExec(fds_[1])) {
        ::close(fds_[0]);
        ::close(fds_[1]);
        fds_[0] = fds_[1] = -1;
        return;
    }
    notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::received);
    wakeFd = fds_[0];
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // The first signal is handled; the next one finds the default action.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        ::sigaction(Handled[i], &action, &previous[i]);
    installed_ = true;
}

TerminationSignals::~TerminationSignals()
{
    if (installed_) {
        for (std::size_t i = 0; i < std::size(Handled); ++i)
            ::sigaction(Handled[i], &previous[i], nullptr);
        wakeFd = -1;
    }
    delete notifier_;
    for (int fd : fds_) {
        if (fd >= 0)
            ::close(fd);
    }
}

void TerminationSignals::received()
{
    char bytes[16];
    while (::read(fds_[1], bytes, sizeof bytes) > 0) {
    }
    if (close_)
        close_();
}

#else

// Windows sends no SIGTERM to a windowed program; its logout reaches the window as a close.
TerminationSignals::TerminationSignals(std::function<void()> close, QObject* parent)
    : QObject(parent), close_(std::move(close))
{
}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::received() {}

#endif

} // namespace qm::ui
