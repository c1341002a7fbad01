#include "cli/terminal_width.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

volatile std::sig_atomic_t width_stale = 1;
int width = kFallbackWidth;

#ifndef _WIN32
extern "C" void NoteResize(int) { width_stale = 1; }
#endif

int AskTerminal() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
    return info.srWindow.Right - info.srWindow.Left + 1;
  }
#else
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
#endif
  return kFallbackWidth;
}

}  // namespace

void WatchTerminalWidth() {
#ifndef _WIN32
  struct sigaction action {};
  action.sa_handler = NoteResize;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGWINCH, &action, nullptr);
#endif
}

int TerminalWidth() {
#ifdef _WIN32
  width_stale = 1;
#endif
  if (width_stale) {
    width_stale = 0;
    width = AskTerminal();
  }
  return width;
}

}  // namespace velmora
