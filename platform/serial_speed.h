#pragma once
// Line speeds that have no Bxxx constant (28800 bit/s) need the kernel's termios2 interface,
// whose header can't be included next to <termios.h>; it lives alone in serial_speed.cpp.

#include <cstdint>

// The kernel's BOTHER speed code in c_cflag ("speed in c_ispeed/c_ospeed"); glibc 2.36 lacks
// the name. serial_speed.cpp checks it against the kernel header.
inline constexpr uint32_t kCustomSpeedCode = 0010000;

// Sets both speeds of the open line to bitsPerSecond (BOTHER). False with errno on failure.
bool SetCustomLineSpeed(int fd, uint32_t bitsPerSecond);
// The output speed in bit/s as the kernel holds it, or 0 with errno on failure.
uint32_t ReadLineSpeed(int fd);
