#pragma once

#include "link_only.h"

#include <poll.h>
#include <sys/types.h>
#include <termios.h>

namespace zem {

// The system calls the termios port makes, one virtual per call and nothing more, so that tests
// can make a call fail, come short or be interrupted. Each returns what the system call returns
// and leaves errno set; retrying on EINTR is the caller's job.
class PosixIo {
public:
    virtual ~PosixIo() = default;

    virtual int Open(const char* path, int flags);
    virtual int Close(int fd);
    virtual int GetAttr(int fd, termios* attr);
    virtual int SetAttr(int fd, int when, const termios* attr);
    virtual int Ioctl(int fd, unsigned long request);
    virtual int Flock(int fd, int operation);
    virtual int Poll(pollfd* fds, nfds_t count, int timeoutMs);
    virtual ssize_t Read(int fd, void* buffer, size_t count);
    virtual ssize_t Write(int fd, const void* buffer, size_t count);
    virtual int Flush(int fd, int queue);
};

// The real calls; shared by every port, stateless.
PosixIo& SystemIo();

} // namespace zem
