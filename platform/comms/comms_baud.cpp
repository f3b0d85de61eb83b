// Rates without a B-constant. Kept apart because the kernel's termios2
// header cannot be included together with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetCustomBaud(int Fd, unsigned Baud) {
  struct termios2 t;
  if (ioctl(Fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~CBAUD;
  t.c_cflag |= BOTHER;
  t.c_cflag &= ~(CBAUD << IBSHIFT);
  t.c_cflag |= BOTHER << IBSHIFT;
  t.c_ispeed = Baud;
  t.c_ospeed = Baud;
  return ioctl(Fd, TCSETS2, &t) == 0;
}
