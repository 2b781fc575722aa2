#include "tcomm_thread.h"

#include "model/answer_lines.h"
#include "model/command_text.h"

namespace zem {

// A VFO is taken whole or not at all. Its answers must come and name its selector: the previous
// VFO's answer would give it that VFO's selector, a refused one the selector 'B', and every later
// read would then ask the radio for the wrong VFO.
bool TCommThread::ReadVfo(VfoRecord& vfo) {
    VfoRecord read = vfo;
    const Answer settings = Ask(BuildReadVfo(read), BuildReadVfo(read));
    StatusCp932(settings.line.value_or(settings.text));
    if (!settings.line || !Parsed([&] { ParseVR(*settings.line, read); }))
        return false;
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

long TCommThread::ReadVfos(const WriteMask& mask) {
    return ReadParts(
        mask.vfos, [&](std::size_t v) { return ReadVfo(Image_.Vfos[v]); }, true);
}

void TCommThread::DoVFORead() {
    Finish(Transfer(kVfoCount, [&] { return ReadVfos(WriteMask::All()); }));
}

TCommThread::Attempt TCommThread::WriteVfo(const VfoRecord& vfo) {
    Attempt attempt;
    std::string response;
    const auto exchange = [&](const std::string& command, const std::string& head, std::string_view word) {
        Confirm(attempt, command, head, word, response);
        StatusCp932(response);
    };
    const std::string command = BuildVW(vfo);
    StatusCp932(command);
    exchange(command, std::string("VW ") + vfo.VfoNo, "VW");
    exchange(BuildWriteLimits(vfo), BuildReadLimits(vfo), "PV");
    return attempt;
}

long TCommThread::WriteVfos(const WriteMask& mask) {
    return WriteParts(
        mask.vfos, [&](std::size_t v) { return WriteVfo(Image_.Vfos[v]); },
        [&](std::size_t v) {
            VfoRecord stored = Image_.Vfos[v];
            return ReadVfo(stored) && SameOnRadio(stored, Image_.Vfos[v]);
        });
}

void TCommThread::DoVFOwrite() {
    Finish(Transfer(kVfoCount, [&] { return WriteVfos(WriteMask::All()); }));
}

} // namespace zem
