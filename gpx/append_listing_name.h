// Lengthens a waypoint name that is a bare 6-character PID by a space and
// the benchmark's listing name, taken from its "<groundspeak:name>".
#ifndef VELMORA_GPX_APPEND_LISTING_NAME_H
#define VELMORA_GPX_APPEND_LISTING_NAME_H

#include "core/run_state.h"

namespace velmora {

enum class ListingName {
  kAppended,  // the name now reads PID, a space and the listing name
  kMissing,   // no "<groundspeak:name>" after the name: a faulty listing
  kUnclosed,  // a "<groundspeak:name>" without its end tag: left untouched
};

// For the waypoint whose "</name>" stands at NameEndPos (the scan calls it
// for a name text of exactly 6 characters). The listing name is the first "<groundspeak:name>"
// element after NameEndPos, taken as it is (it is already in XML form).
// NameEndPos is not moved: it then points into the lengthened name text, in
// front of everything that is searched from it.
ListingName AppendListingName(RunState& state);

}  // namespace velmora

#endif
