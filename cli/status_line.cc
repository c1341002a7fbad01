#include "cli/status_line.h"

namespace velmora {
namespace {

// Back to the line's start, then erase to its end.
constexpr const char* kClearLine = "\r\x1b[K";

}  // namespace

void StatusLine::Clear() {
  if (terminal_ && !status_.empty()) out_ << kClearLine;
}

void StatusLine::PrintLine(const std::string& line) {
  Clear();
  out_ << line << '\n';
  if (terminal_ && !status_.empty()) out_ << status_;
  out_.flush();
}

void StatusLine::ShowStatus(const std::string& status) {
  if (!terminal_) return;
  out_ << kClearLine << status;
  status_ = status;
  out_.flush();
}

void StatusLine::Keep() {
  if (terminal_ && !status_.empty()) out_ << '\n';
  status_.clear();
  out_.flush();
}

}  // namespace velmora
