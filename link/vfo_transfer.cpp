#include "tcomm_thread.h"

namespace zem {

// The VFO transfer is still to come; until then each request completes at once, so the window
// can be built and tested against the link's message flow.
void TCommThread::DoVFORead() {
    Finish(kMsgVfoRead, 0);
}

void TCommThread::DoVFOwrite() {
    Finish(kMsgVfoWritten, 0);
}

} // namespace zem
