#pragma once

#include "link_only.h"
#include <sys/types.h>

#include <string>

namespace zem {

// Who may read and write a device, and who is asking: what the advice for a refused port is made
// from.
struct DeviceAccess {
    std::string path; // "/dev/ttyUSB0"
    mode_t mode = 0;  // the permission bits
    uid_t ownerUid = 0;
    std::string owner; // the owner's name, or the number when the system has no name for it
    gid_t gid = 0;
    std::string group;
    std::string user;           // the user running the program
    bool memberOfGroup = false; // the user belongs to the device's group (its list in the system)
    bool groupInEffect = false; // and this login has that group already
};

// The device's and the user's facts as the system tells them now; a link is followed to the device.
DeviceAccess AccessOf(const std::string& path);

// What lets this user open the device, in Japanese (UTF-8), one sentence or two. A group is named
// only when it can read and write the device and is not root, since joining root is no advice; a
// user already in it is told to log in again. Otherwise: a pseudo-terminal is handed over with
// chown (it comes and goes with the program that made it), any other device gets a udev rule line
// giving it to the user; a device owner other than root who may read and write it is offered too.
std::string AccessAdvice(const DeviceAccess& access);

// "PATH を読み書きする権限がありません。" and the advice: the one text for a refused port, shown both
// when a port will not open and by the port doctor.
std::string PermissionText(const std::string& path);

} // namespace zem
