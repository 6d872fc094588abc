// Misbehaviour the simulator can put on its live image stream, so tests can
// show that the receiver hands out whole frames or none.
#pragma once

namespace vt::sim {

struct LiveImageFaults {
    bool dropFragment = false;       // leave out a fragment in the middle of the frame
    bool duplicateFragment = false;  // send a fragment in the middle twice
    bool reorderFragments = false;   // swap two neighbouring fragments
    bool truncateFragment = false;   // cut the last fragment short (the file loses its end)
    bool sendGarbage = false;        // a datagram of random bytes before the header
    bool sendFromOtherPort = false;  // the frames leave from a second socket
    unsigned every = 1;              // only frames whose number is a multiple of this
};

}  // namespace vt::sim
