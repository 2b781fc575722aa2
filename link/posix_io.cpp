#include "posix_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zem {

int PosixIo::Open(const char* path, int flags) {
    return ::open(path, flags);
}
int PosixIo::Close(int fd) {
    return ::close(fd);
}
int PosixIo::GetAttr(int fd, termios* attr) {
    return ::tcgetattr(fd, attr);
}
int PosixIo::SetAttr(int fd, int when, const termios* attr) {
    return ::tcsetattr(fd, when, attr);
}
int PosixIo::Ioctl(int fd, unsigned long request) {
    return ::ioctl(fd, request);
}
int PosixIo::Flock(int fd, int operation) {
    return ::flock(fd, operation);
}
int PosixIo::Poll(pollfd* fds, nfds_t count, int timeoutMs) {
    return ::poll(fds, count, timeoutMs);
}
ssize_t PosixIo::Read(int fd, void* buffer, size_t count) {
    return ::read(fd, buffer, count);
}
ssize_t PosixIo::Write(int fd, const void* buffer, size_t count) {
    return ::write(fd, buffer, count);
}
int PosixIo::Flush(int fd, int queue) {
    return ::tcflush(fd, queue);
}

PosixIo& SystemIo() {
    static PosixIo io;
    return io;
}

} // namespace zem
