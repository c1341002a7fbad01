// A randomized pause around a nominal number of seconds, during which
// pending window events keep running.
#ifndef VELMORA_NET_RANDOM_PAUSE_H
#define VELMORA_NET_RANDOM_PAUSE_H

#include "core/edges.h"

namespace velmora {

// Waits between about 2/3 and 4/3 of `seconds` (times pacing.scale), letting
// window events run through pacing.pump. A pause that spans midnight lasts
// its full length. A stop the user asks for (EventPump::StopAsked) ends it.
void RandomPause(float seconds, const Pacing& pacing);

}  // namespace velmora

#endif
