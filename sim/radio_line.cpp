#include "radio_line.h"

#include <algorithm>
#include <cctype>

namespace zem::sim {
namespace {

constexpr std::size_t kLongestLine = 256;

std::string Garbled(std::string answer) {
    std::replace_if(
        answer.begin(), answer.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }, '#');
    return answer;
}

std::string WithoutEcho(const std::string& answer) {
    const std::size_t blank = answer.find(' ');
    return blank == std::string::npos ? std::string() : answer.substr(blank + 1);
}

// Turns bursts whose `at` is the pause before each (after the previous one has been sent) into
// arrival times. On a paced line each byte takes its byte-time and becomes its own burst.
std::vector<Burst> OnTheLine(const std::vector<Burst>& gaps, bool pace) {
    std::vector<Burst> out;
    std::chrono::microseconds lineFree{0};
    for (const Burst& b : gaps) {
        std::chrono::microseconds at = lineFree + b.at;
        if (!pace) {
            out.push_back({at, b.bytes});
        } else {
            for (char c : b.bytes) {
                at += kByteTime;
                out.push_back({at, std::string(1, c)});
            }
        }
        lineFree = at;
    }
    return out;
}

} // namespace

std::vector<std::string> LineFramer::Feed(std::string_view bytes) {
    std::vector<std::string> lines;
    for (char c : bytes) {
        if (c == '\r') {
            lines.push_back(std::move(partial_));
            partial_.clear();
        } else if (c != '\n' && partial_.size() < kLongestLine) {
            partial_.push_back(c);
        }
    }
    return lines;
}

std::chrono::microseconds ReceiveTime(std::size_t bytes, const SimOptions& options) {
    return options.pace ? kByteTime * static_cast<long>(bytes) : std::chrono::microseconds{0};
}

std::vector<Burst> PlanReply(RadioEngine& engine, std::string_view command, const SimOptions& options) {
    // A radio that has stopped neither takes the command nor counts it.
    for (const Fault& f : options.faults) {
        if (f.kind == Fault::Kind::Stop && f.Matches(engine.CommandCount() + 1, engine.Repeats(command) + 1, command))
            engine.SetAnswering(false);
    }
    if (!engine.Answering())
        return {};
    switch (options.line) {
    case LineKind::Radio:
        break;
    case LineKind::Echo:
        return OnTheLine({{options.delay, std::string(command) + "\r"}}, options.pace);
    case LineKind::Packet:
        return OnTheLine({{options.delay, "?\r"}}, options.pace);
    case LineKind::Noise:
        return OnTheLine({{options.delay, std::string("\xf8\x80\x1c\xfe\x00\xe0\x98\xff", 8)}}, options.pace);
    }
    std::size_t index = 0;
    std::string answer = engine.Answer(command, &index);
    const std::size_t repeat = engine.Repeats(command);

    std::chrono::microseconds start = options.delay;
    bool silent = false;
    const Fault* split = nullptr;
    std::vector<const Fault*> extras;
    for (const Fault& f : options.faults) {
        if (!f.Matches(index, repeat, command))
            continue;
        switch (f.kind) {
        case Fault::Kind::NoAnswer:
            silent = true;
            break;
        case Fault::Kind::Garble:
            answer = Garbled(answer);
            break;
        case Fault::Kind::NoEcho:
            answer = WithoutEcho(answer);
            break;
        case Fault::Kind::Refuse:
            answer.assign(1, '?');
            break;
        case Fault::Kind::Split:
            split = &f;
            break;
        case Fault::Kind::ExtraLine:
            extras.push_back(&f);
            break;
        case Fault::Kind::Slow:
            start += f.pause;
            break;
        case Fault::Kind::AlterStored:
            engine.AlterStoredChannel(command);
            break;
        case Fault::Kind::Stop:
            break; // taken above
        }
    }
    if (silent)
        return {};

    std::vector<Burst> gaps;
    const std::string line = answer + "\r";
    if (split != nullptr) {
        const std::size_t half = line.size() / 2;
        gaps.push_back({start, line.substr(0, half)});
        gaps.push_back({split->pause, line.substr(half)});
    } else {
        gaps.push_back({start, line});
    }
    for (const Fault* f : extras)
        gaps.push_back({f->pause, f->text + "\r"});
    return OnTheLine(gaps, options.pace);
}

} // namespace zem::sim
