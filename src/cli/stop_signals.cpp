#include "cli/stop_signals.h"

#include <csignal>
#include <iterator>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace q9tx::cli {
namespace {

// A closed terminal (SIGHUP) or a reader of the output that went away (SIGPIPE) must not
// kill a run in the middle of a pager any more than Ctrl-C does.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr std::size_t kSignalCount = std::size(kSignals);
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[kSignalCount];

void OnSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    // Nothing to do when the pipe is full: a stop is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
}

}  // namespace

StopSignals::StopSignals(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal))
{
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        unsigned char byte = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            onSignal_(byte);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
}

StopSignals::~StopSignals()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    notifier_.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

}  // namespace q9tx::cli
