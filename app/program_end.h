// The end of the program at a use of the closed main window: thrown where the
// closed window is touched, caught by main, which then exits quietly.
#ifndef VELMORA_APP_PROGRAM_END_H
#define VELMORA_APP_PROGRAM_END_H

namespace velmora {

// Deliberately not a std::exception, so that no generic handler on the way
// up mistakes it for a failure.
struct ProgramEnd {};

}  // namespace velmora

#endif
