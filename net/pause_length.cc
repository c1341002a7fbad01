#include "net/pause_length.h"

#include <cmath>

namespace velmora {

double PauseLength(float seconds, double r) {
  constexpr double kHundredths = 100;
  constexpr double kLowerFactor = 0.666667;
  constexpr double kUpperFactor = 1.33333;
  const double s = seconds;
  const double lower = s * kHundredths * kLowerFactor;
  const double upper = s * kHundredths * kUpperFactor;
  return (std::floor((upper - lower + 1) * r) + lower) / kHundredths;
}

}  // namespace velmora
