#include "tcomm_thread.h"

#include "model/answer_lines.h"
#include "model/command_text.h"
#include "model/conversion_error.h"

namespace zem {

// A VFO is taken whole or not at all. Its answers must come and name its selector: the previous
// VFO's answer would give it that VFO's selector, a refused one the selector 'B', and every later
// read would then ask the radio for the wrong VFO.
bool TCommThread::ReadVfo(VfoRecord& vfo) {
    VfoRecord read = vfo;
    const Answer settings = Ask(BuildReadVfo(read), BuildReadVfo(read));
    StatusCp932(settings.line.value_or(settings.text));
    if (!settings.line)
        return false;
    try {
        ParseVR(*settings.line, read);
    } catch (const ConversionError& e) {
        Status(e.what());
        return false;
    }
    // The limits are asked with the selector the VR answer gave.
    const Answer limits = Ask(BuildReadLimits(read), BuildReadLimits(read));
    StatusCp932(limits.line.value_or(limits.text));
    if (!limits.line)
        return false;
    ParsePVLimits(*limits.line, read);
    if (HasControlChars(read.LowerLimit.view()) || HasControlChars(read.UpperLimit.view()))
        return false;
    vfo = read;
    return true;
}

void TCommThread::DoVFORead() {
    long kept = 0;
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        Progress(v, kVfoCount);
        if (!ReadVfo(Image.Vfos[v])) {
            ++kept;
            Kept(v);
        }
    }
    Progress(kVfoCount, kVfoCount);
    Finish(kMsgVfoRead, kept);
}

void TCommThread::DoVFOwrite() {
    long errors = 0;
    std::string response;
    const auto exchange = [&](const std::string& command, const std::string& head, std::string_view word) {
        errors += Confirmed(command, head, word, response) ? 0 : 1;
        StatusCp932(response);
    };
    for (std::size_t v = 0; v < kVfoCount; ++v) {
        Progress(v, kVfoCount);
        const VfoRecord& vfo = Image.Vfos[v];
        const std::string command = BuildVW(vfo);
        StatusCp932(command);
        const long before = errors;
        exchange(command, std::string("VW ") + vfo.VfoNo, "VW");
        exchange(BuildWriteLimits(vfo), BuildReadLimits(vfo), "PV");
        if (errors != before)
            Kept(v);
    }
    Progress(kVfoCount, kVfoCount);
    Finish(kMsgVfoWritten, errors);
}

} // namespace zem
