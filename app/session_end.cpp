#include "app/session_end.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdio>

#include "forms/qt/form_widget.h"

namespace vesk::app {
namespace {

// The signal handler only writes to this pipe; the event loop does the closing.
int wakeFd[2] = {-1, -1};
volatile sig_atomic_t signalled = 0;

void onSignal(int number) {
  if (signalled) {
    ::signal(number, SIG_DFL);  // closing hangs, or the user insists: end now
    ::raise(number);
    return;
  }
  signalled = 1;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const auto n = ::write(wakeFd[1], &byte, 1);
}

// The modal dialog first, as the user would have to, then every other window of ours: shown,
// or hidden while the lights live in the notification area.
void closeAll() {
  for (const bool modal : {true, false}) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      const bool ours = dynamic_cast<forms::qt::FormWidget*>(window) != nullptr;
      if ((window->isVisible() || ours) && window->isModal() == modal) window->close();
    }
  }
}

}  // namespace

void closeWindowsAtSessionEnd(QApplication& app) {
  if (::pipe2(wakeFd, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("vesk-lights: cannot watch for the end of the session");
    return;
  }
  auto* notifier = new QSocketNotifier(wakeFd[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
    char byte = 0;
    while (::read(wakeFd[0], &byte, 1) > 0) {
    }
    closeAll();
    QCoreApplication::quit();  // also when no window was open yet
  });
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sa.sa_flags = SA_RESTART;
  sigemptyset(&sa.sa_mask);
  for (const int number : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(number, &sa, nullptr);

  // The session manager asks every program to save before the session ends.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &app,
                   [](QSessionManager&) { closeAll(); });
}

}  // namespace vesk::app
