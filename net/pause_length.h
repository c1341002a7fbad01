// The length of one randomized pause.
#ifndef VELMORA_NET_PAUSE_LENGTH_H
#define VELMORA_NET_PAUSE_LENGTH_H

namespace velmora {

// The wait in seconds for a pause of nominal `seconds`, given the random
// number r (0 <= r < 1): the lower bound s x 0.666667 plus a whole number of
// hundredths, at most up to s x 1.33333 (+ 0.01). Computed in hundredths of
// a second in double precision; the floor is taken before the lower bound is
// added.
double PauseLength(float seconds, double r);

}  // namespace velmora

#endif
