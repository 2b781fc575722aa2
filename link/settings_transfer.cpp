#include "tcomm_thread.h"

namespace zem {

// The settings transfer is still to come; until then each request completes at once, so the window
// can be built and tested against the link's message flow.
void TCommThread::DoMenuRead() {
    Finish(kMsgSettingsRead, 0);
}

void TCommThread::DoMenuwrite() {
    Finish(kMsgSettingsWritten, 0);
}

} // namespace zem
