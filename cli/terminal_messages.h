// Messages for the command line: each message is one line on standard
// error, exactly its text (the title and icon of a window's box are not
// shown). Nothing waits for the user.
#ifndef VELMORA_CLI_TERMINAL_MESSAGES_H
#define VELMORA_CLI_TERMINAL_MESSAGES_H

#include "cli/status_line.h"
#include "core/edges.h"

namespace velmora {

class TerminalMessages : public Messages {
 public:
  explicit TerminalMessages(StatusLine& line) : line_(line) {}
  void Show(const Message& message) override { line_.PrintLine(message.text); }

 private:
  StatusLine& line_;
};

}  // namespace velmora

#endif
