// Forward searches that only look at matches starting before a limit, so a
// search inside one benchmark's description does not run on to the end of a
// large document when the phrase is absent.
#ifndef VELMORA_GPX_BOUNDED_SEARCH_H
#define VELMORA_GPX_BOUNDED_SEARCH_H

#include <string_view>

#include "core/text.h"

namespace velmora {

// Position of the first `what` in `text` that starts at or after `start` and
// before `limit`; 0 when there is none (always 0 when limit < 2). The match
// itself may run past `limit`.
Pos InStrBefore(Pos start, std::string_view text, std::string_view what, Pos limit);

// Position of the closing tag of the element whose opening tag stands at
// `open_pos`: the first `close_tag` after the opening tag. 0 when there is
// none, or when another `open_tag` comes first (an element left unclosed in
// front of the next one of its kind).
Pos ElementEnd(std::string_view text, Pos open_pos, std::string_view open_tag,
               std::string_view close_tag);

}  // namespace velmora

#endif
