#include "platform/stop.h"

#include <semaphore.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "platform/log.h"

namespace {

// Process-wide by nature: signal handlers and the watchdog thread see these.
std::atomic<FinalSave> final_save{nullptr};
std::atomic<int> stop_signal{0};
// 0: not saved yet, 1: a save is running, 2: saved.
std::atomic<int> save_state{0};
sem_t watchdog_wake;

// How long the frame loop gets to end the program itself after a stop signal.
constexpr auto kWatchdogGrace = std::chrono::milliseconds(700);
// How long it still gets after a second signal.
constexpr auto kSecondSignalGrace = std::chrono::milliseconds(100);
// How long a second caller waits for a save already running.
constexpr auto kSaveWait = std::chrono::milliseconds(250);

void WriteStderr(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  while (length > 0) {
    const ssize_t n = ::write(STDERR_FILENO, text, length);
    if (n <= 0 && errno != EINTR) return;
    if (n > 0) {
      text += n;
      length -= size_t(n);
    }
  }
}

void OnStopSignal(int signal_number) {
  int expected = 0;
  stop_signal.compare_exchange_strong(expected, signal_number);
  // The first signal wakes the watchdog; a second one (the player asking
  // again, or a logout sending SIGHUP after SIGTERM) cuts its wait short.
  sem_post(&watchdog_wake);  // async-signal-safe
}

// Waits on the semaphore until the deadline; false when it passed.
bool WaitUntil(const timespec& deadline) {
  while (sem_timedwait(&watchdog_wake, &deadline) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

timespec After(std::chrono::milliseconds delay) {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  const long long ns = t.tv_nsec + (long long)(delay.count()) * 1'000'000;
  t.tv_sec += time_t(ns / 1'000'000'000);
  t.tv_nsec = long(ns % 1'000'000'000);
  return t;
}

void Watchdog() {
  while (sem_wait(&watchdog_wake) != 0 && errno == EINTR) {
  }
  // A second signal still leaves the frame loop a moment to end the program
  // the usual way, since it may well be on its way.
  if (WaitUntil(After(kWatchdogGrace))) std::this_thread::sleep_for(kSecondSignalGrace);
  // The program did not end in time: it is stuck somewhere (a display that
  // stopped answering, a blocking request), or it was asked twice.
  RunFinalSave();
  WriteStderr("skitterworm: stopped without a clean shut-down\n");
  ::_exit(0);
}

}  // namespace

void SetFinalSave(FinalSave save) { final_save = save; }

void InstallStopSignals() {
  static bool installed = false;  // once per process
  if (installed) return;
  installed = true;
  sem_init(&watchdog_wake, 0, 0);
  std::thread(Watchdog).detach();
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
}

bool StopRequested() { return stop_signal.load() != 0; }

void RunFinalSave() {
  int expected = 0;
  if (save_state.compare_exchange_strong(expected, 1)) {
    if (FinalSave save = final_save.load()) save();
    save_state = 2;
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + kSaveWait;
  while (save_state.load() != 2 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void EndAfterLostDisplay() {
  RunFinalSave();
  WriteStderr("skitterworm: the display was lost; settings, highscores and statistics saved\n");
  DebugLog("The display was lost; the files were saved and the program ends");
  ::_exit(1);
}
