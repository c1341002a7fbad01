// The width of the terminal that standard error writes to, kept up to date
// when the terminal is resized.
#ifndef VELMORA_CLI_TERMINAL_WIDTH_H
#define VELMORA_CLI_TERMINAL_WIDTH_H

namespace velmora {

inline constexpr int kFallbackWidth = 80;

// Makes a resize of the terminal (SIGWINCH) mark the width for reading again
// (POSIX; elsewhere the width is read at every call).
void WatchTerminalWidth();

// The terminal's width in columns; kFallbackWidth when it cannot be had.
// Asks the terminal only on the first call and after a resize.
int TerminalWidth();

}  // namespace velmora

#endif
