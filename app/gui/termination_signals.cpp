#include "gui/termination_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace tv::gui {
namespace {

// The one thing a signal handler may do here: write a byte the event loop reads.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(signalPipe[0], &byte, 1);
}

}  // namespace

void HandleTerminationSignals(QObject* owner, std::function<void()> onSignal) {
  if (signalPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [onSignal = std::move(onSignal)] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = read(signalPipe[1], &byte, 1);
    onSignal();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
}

}  // namespace tv::gui
