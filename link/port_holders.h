#pragma once

#include "link_only.h"
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace zem {

// A process that has a device open.
struct PortHolder {
    pid_t pid = 0;
    std::string name; // as the system names the process (its comm), "ModemManager"
};

// Who holds a device, found from the open files under `proc` (/proc): every process with the
// device open, except the far end of a pseudo-terminal (the process holding its master, which
// keeps the terminal's own side open too). Processes whose open files the user may not see (other
// users', unless root) cannot be told; `unseen` gets those named ModemManager or brltty, the two
// services known to take serial devices.
struct PortHolders {
    std::vector<PortHolder> holders;
    std::vector<PortHolder> unseen;
};
PortHolders FindPortHolders(const std::string& device, const std::filesystem::path& proc = "/proc");

// "NAME（PID n）、NAME（PID m）" for a message.
std::string HoldersText(const std::vector<PortHolder>& holders);

// The services that open new serial devices on their own and the advice for each, in Japanese
// (UTF-8); empty for any other program.
std::string ServiceAdvice(const std::string& processName);

} // namespace zem
