#include "tcomm_thread.h"

#include "model/command_text.h"

namespace zem {

// The radio answers "ID" with its echo and model name, "ID TH-D7"; the name may follow other
// text, but never as the second half of a double-byte character.
void TCommThread::DoID() {
    std::string response;
    const bool answered = Exchange("ID", response);
    const bool isThD7 = ContainsCp932(response, "TH-D7");
    StatusCp932(response);
    Answer_ = response;
    Finish(isThD7 ? 1 : 0, !answered);
}

// Both checks mark their completion when nothing answered: its value is then no verdict.

// A modified radio shows it by the field "00118" in its "FL" answer, wherever that stands.
void TCommThread::DoMod() {
    std::string response;
    const bool answered = Exchange("FL", response);
    StatusCp932(response);
    Answer_ = response;
    Finish(response.find("00118") != std::string::npos ? 1 : 0, !answered);
}

} // namespace zem
