// The stop at an answer that is not a source's own page: the message that
// says whose page came instead and what to do.
#ifndef VELMORA_SOURCES_FOREIGN_PAGE_H
#define VELMORA_SOURCES_FOREIGN_PAGE_H

#include <string>

#include "core/logs_source.h"
#include "core/run.h"

namespace velmora {

// "HOST did not answer with WANTED: it answered HTTP 200 “TITLE” from URL."
// and, on a paragraph of its own, `advice`.
std::string ForeignPageMessage(const std::string& host, const std::string& wanted,
                               const ForeignAnswer& answered, const std::string& advice);

// Shows `text` as the "Cannot Continue" error that stops the run.
void ShowForeignPage(Run& run, const std::string& text);

}  // namespace velmora

#endif
