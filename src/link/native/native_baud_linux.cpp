// Any line speed, through termios2 (the C library's termios knows only the
// table of standard rates). Kept apart: its header clashes with <termios.h>.
#include <sys/ioctl.h>

#include <asm/termbits.h>

namespace kavir {

bool SetCustomBaud(int fd, int baud) {
  termios2 tio{};
  if (ioctl(fd, TCGETS2, &tio) != 0) return false;
  tio.c_cflag &= ~CBAUD;
  tio.c_cflag |= BOTHER;
  tio.c_cflag &= ~(CBAUD << IBSHIFT);
  tio.c_cflag |= BOTHER << IBSHIFT;
  tio.c_ispeed = tio.c_ospeed = static_cast<speed_t>(baud);
  return ioctl(fd, TCSETS2, &tio) == 0;
}

}  // namespace kavir
