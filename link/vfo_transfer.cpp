#include "tcomm_thread.h"

#include "model/command_text.h"
#include "model/conversion_error.h"

namespace zem {

// A VFO whose answers do not come, or come without their echo, stays as it was and is counted:
// the previous VFO's answer would give it that VFO's selector, and a refused one the selector 'B',
// and every later read would then ask the radio for the wrong VFO.
void TCommThread::DoVFORead() {
    long lost = 0;
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        Progress(v, kVfoCount);
        VfoRecord read = Image.Vfos[v];
        std::string response;
        const bool answered = Exchange(BuildReadVfo(read), response);
        StatusCp932(response);
        if (!answered || response.find("VR") == std::string::npos) {
            ++lost;
            continue;
        }
        try {
            ParseVR(response, read);
        } catch (const ConversionError& e) {
            Status(e.what()); // a garbled answer leaves the VFO as it was
            ++lost;
            continue;
        }
        // The limits are asked with the selector the VR answer gave.
        response.clear();
        const bool limits = Exchange(BuildReadLimits(read), response) && response.find("PV") != std::string::npos;
        StatusCp932(response);
        if (limits)
            ParsePVLimits(response, read);
        else
            ++lost;
        Image.Vfos[v] = read;
    }
    Progress(kVfoCount, kVfoCount);
    Finish(kMsgVfoRead, lost);
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
