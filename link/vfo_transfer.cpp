#include "tcomm_thread.h"

#include "model/command_text.h"
#include "model/conversion_error.h"

namespace zem {

// A VFO whose answers do not come stays as it was and is counted: the previous VFO's answer
// would give it that VFO's selector, and every later read would ask the radio for the wrong VFO.
void TCommThread::DoVFORead() {
    long unanswered = 0;
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        Progress(v, kVfoCount);
        VfoRecord& vfo = Image.Vfos[v];
        std::string response;
        if (!Exchange(BuildReadVfo(vfo), response)) {
            ++unanswered;
            continue;
        }
        try {
            ParseVR(response, vfo);
            StatusCp932(response);
        } catch (const ConversionError& e) {
            Status(e.what()); // a garbled answer leaves the VFO as it was
        }
        // The limits are asked with the selector as the VR answer left it.
        response.clear();
        if (!Exchange(BuildReadLimits(vfo), response)) {
            ++unanswered;
            continue;
        }
        StatusCp932(response);
        ParsePVLimits(response, vfo);
    }
    Progress(kVfoCount, kVfoCount);
    Finish(kMsgVfoRead, unanswered);
}

void TCommThread::DoVFOwrite() {
    long errors = 0;
    std::string response;
    const auto exchange = [&](const std::string& command, std::string_view echo) {
        if (!Exchange(command, response) || response.find(echo) == std::string::npos)
            ++errors;
        StatusCp932(response);
    };
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        Progress(v, kVfoCount);
        const VfoRecord& vfo = Image.Vfos[v];
        const std::string command = BuildVW(vfo);
        StatusCp932(command);
        exchange(command, "VW");
        exchange(BuildWriteLimits(vfo), "PV");
    }
    Progress(kVfoCount, kVfoCount);
    Finish(kMsgVfoWritten, errors);
}

} // namespace zem
