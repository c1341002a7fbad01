// Standard error as the command line uses it: whole lines for messages and
// progress, and on a terminal one status line (the progress bar) that is
// redrawn in place and kept below the messages.
#ifndef VELMORA_CLI_STATUS_LINE_H
#define VELMORA_CLI_STATUS_LINE_H

#include <ostream>
#include <string>

namespace velmora {

class StatusLine {
 public:
  StatusLine(std::ostream& out, bool terminal) : out_(out), terminal_(terminal) {}

  bool terminal() const { return terminal_; }

  // Writes `line` and a line end. On a terminal the status line is cleared
  // first and drawn again below the new line.
  void PrintLine(const std::string& line);

  // Replaces the status line (terminal only; elsewhere nothing is written).
  void ShowStatus(const std::string& status);

  // Ends the status line so that it stays on the screen; later lines go below.
  void Keep();

 private:
  void Clear();

  std::ostream& out_;
  bool terminal_;
  std::string status_;  // what the status line shows; empty when none
};

}  // namespace velmora

#endif
