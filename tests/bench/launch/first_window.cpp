// first_window COMMAND [ARGS...]: starts COMMAND on $DISPLAY and prints
// "PID SECONDS" as soon as the X server maps its first top-level window, the
// moment the window appears on the screen, then leaves it running. Used by
// scripts/bench-peer: watching the root window for the map is exact, where
// polling with xdotool adds its own start-up to every sample.
// Exits 1 when the command ends, or 30 s pass, before any window shows.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kGiveUp = std::chrono::seconds(30);

// The measured program's own output is not wanted beside the answer.
[[noreturn]] void RunQuietly(char** argv) {
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, STDOUT_FILENO);
  ::dup2(null, STDERR_FILENO);
  ::execvp(argv[0], argv);
  ::_exit(127);
}

bool ChildEnded(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == pid; }

// Waits for the first MapNotify among the root window's children.
bool AwaitMap(Display* display, pid_t pid, Clock::time_point start) {
  pollfd x{ConnectionNumber(display), POLLIN, 0};
  while (Clock::now() - start < kGiveUp) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify) return true;
    }
    if (ChildEnded(pid)) return false;
    ::poll(&x, 1, 10);
  }
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: first_window COMMAND [ARGS...]\n", stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fputs("first_window: cannot open the display\n", stderr);
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);  // watching before the command starts
  const Clock::time_point start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) RunQuietly(argv + 1);
  if (pid < 0 || !AwaitMap(display, pid, start)) return 1;
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("%d %.3f\n", int(pid), seconds);
  return 0;
}
