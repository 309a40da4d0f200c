#include "platform/serial_speed.h"

// Only the kernel's own termios definitions here: glibc's <termios.h> would clash with them.
#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

static_assert(kCustomSpeedCode == BOTHER);

bool SetCustomLineSpeed(int fd, uint32_t bitsPerSecond) {
    struct termios2 t2 {};
    if (ioctl(fd, TCGETS2, &t2) != 0) return false;
    t2.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t2.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t2.c_ispeed = bitsPerSecond;
    t2.c_ospeed = bitsPerSecond;
    int rc;
    do {
        rc = ioctl(fd, TCSETS2, &t2);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

uint32_t ReadLineSpeed(int fd) {
    struct termios2 t2 {};
    if (ioctl(fd, TCGETS2, &t2) != 0) return 0;
    return t2.c_ospeed;
}
