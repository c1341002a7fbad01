#include "sources/foreign_page.h"

namespace velmora {

std::string ForeignPageMessage(const std::string& host, const std::string& wanted,
                               const ForeignAnswer& answered, const std::string& advice) {
  const std::string status =
      answered.status > 0 ? "HTTP " + std::to_string(answered.status) : "no HTTP status";
  const std::string title = answered.title.empty() ? "an empty page" : "\"" + answered.title + "\"";
  return host + " did not answer with " + wanted + ": it answered " + status + ", " + title +
         ", from " + answered.final_url + ".\n\n" + advice;
}

void ShowForeignPage(Run& run, const std::string& text) {
  run.edges.messages.Show(Message{text, "Cannot Continue", MessageIcon::kError});
}

}  // namespace velmora
