#include "platform/stop.h"

#include <pthread.h>
#include <semaphore.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "platform/log.h"
#include "platform/stream.h"

namespace {

// Process-wide by nature: signal handlers and the watchdog thread see these.
std::atomic<FinalSave> final_save{nullptr};
std::atomic<int> stop_signal{0};
// 0: not saved yet, 1: a save is running, 2: saved.
std::atomic<int> save_state{0};
std::atomic<int> stop_exit_code{0};
sem_t watchdog_wake;
pid_t forking_process = 0;

// How long the frame loop gets to end the program itself after a stop signal.
constexpr auto kWatchdogGrace = std::chrono::milliseconds(700);
// How long it still gets after a second signal.
constexpr auto kSecondSignalGrace = std::chrono::milliseconds(100);
// How long a second caller waits for a save already running.
constexpr auto kSaveWait = std::chrono::milliseconds(250);
// How long the watchdog waits for a save of the main thread to finish before
// its own; a save stuck longer (a disk that stopped answering) is given up,
// and ending mid-save damages nothing.
constexpr auto kOtherSaveWait = std::chrono::seconds(3);

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
  // stopped answering, a blocking request), or it was asked twice. The main
  // thread may be saving right now (a game just ended): the final save waits
  // for it, and the lock stays held to the end, so no other save starts
  // before the process is gone.
  auto hold = HoldSaves(kOtherSaveWait);
  if (hold.owns_lock()) RunFinalSave();
  WriteStderr("skitterworm: stopped without a clean shut-down\n");
  ::_exit(stop_exit_code.load());
}

// Note the process about to fork.
void BeforeFork() { forking_process = ::getpid(); }

// A child forked by the game or a library (the display library shows its
// message boxes from one) is not the game: a stop signal ends it as any
// program, and it ends with the game, never outliving it.
void InForkedChild() {
  struct sigaction plain {};
  plain.sa_handler = SIG_DFL;
  sigemptyset(&plain.sa_mask);
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &plain, nullptr);
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (::getppid() != forking_process) ::_exit(1);  // the game ended before the line above
}

}  // namespace

void SetFinalSave(FinalSave save) { final_save = save; }

void InstallStopSignals() {
  static bool installed = false;  // once per process
  if (installed) return;
  installed = true;
  sem_init(&watchdog_wake, 0, 0);
  std::thread(Watchdog).detach();
  pthread_atfork(BeforeFork, nullptr, InForkedChild);
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
}

bool StopRequested() { return stop_signal.load() != 0; }

void SetStopExitCode(int code) { stop_exit_code = code; }

void RunFinalSave() {
  int expected = 0;
  if (save_state.compare_exchange_strong(expected, 1)) {
    if (FinalSave save = final_save.load()) {
      auto hold = HoldSaves();
      save();
    }
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
