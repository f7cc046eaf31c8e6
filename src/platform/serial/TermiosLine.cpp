#include "TermiosLine.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace {

tcflag_t DataBitsFlag(int bits) {
  switch (bits) {
  case 5: return CS5;
  case 6: return CS6;
  case 7: return CS7;
  default: return CS8;
  }
}

int DataBitsOf(tcflag_t cflag) {
  switch (cflag & CSIZE) {
  case CS5: return 5;
  case CS6: return 6;
  case CS7: return 7;
  default: return 8;
  }
}

tcflag_t ParityFlags(SerialParity parity) {
  switch (parity) {
  case SerialParity::None: return 0;
  case SerialParity::Odd: return PARENB | PARODD;
  case SerialParity::Even: return PARENB;
  case SerialParity::Mark: return PARENB | PARODD | CMSPAR;
  case SerialParity::Space: return PARENB | CMSPAR;
  }
  return 0;
}

SerialParity ParityOf(tcflag_t cflag) {
  if (!(cflag & PARENB)) return SerialParity::None;
  if (cflag & CMSPAR) return (cflag & PARODD) ? SerialParity::Mark : SerialParity::Space;
  return (cflag & PARODD) ? SerialParity::Odd : SerialParity::Even;
}

} // namespace

int ApplyRawLine(int fd, const SerialLineSettings& s) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) != 0) return errno;
  // Raw mode: no line editing, echo, signals or character translation.
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                      IXON | IXOFF | INPCK);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD |
                                      (CBAUD << IBSHIFT));
  t.c_cflag |= CLOCAL | CREAD | DataBitsFlag(s.DataBits) | ParityFlags(s.Parity) | BOTHER |
               (BOTHER << IBSHIFT);
  // The tty layer knows one and two stop bits; one and a half is sent as two.
  if (s.StopBits != SerialStopBits::One) t.c_cflag |= CSTOPB;
  if (s.OutCtsFlow || s.Rts == SerialRts::Handshake) t.c_cflag |= CRTSCTS;
  if (s.ParityCheck) t.c_iflag |= INPCK;
  if (s.XonXoffOut) t.c_iflag |= IXON;
  if (s.XonXoffIn) t.c_iflag |= IXOFF;
  t.c_cc[VSTART] = static_cast<cc_t>(s.XonChar);
  t.c_cc[VSTOP] = static_cast<cc_t>(s.XoffChar);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  t.c_ispeed = s.BaudRate;
  t.c_ospeed = s.BaudRate;
  return ioctl(fd, TCSETS2, &t) == 0 ? 0 : errno;
}

int ReadRawLine(int fd, SerialLineSettings& s) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) != 0) return errno;
  s.BaudRate = t.c_ospeed;
  s.DataBits = DataBitsOf(t.c_cflag);
  s.Parity = ParityOf(t.c_cflag);
  s.StopBits = (t.c_cflag & CSTOPB) ? SerialStopBits::Two : SerialStopBits::One;
  s.ParityCheck = (t.c_iflag & INPCK) != 0;
  s.OutCtsFlow = (t.c_cflag & CRTSCTS) != 0;
  s.XonXoffOut = (t.c_iflag & IXON) != 0;
  s.XonXoffIn = (t.c_iflag & IXOFF) != 0;
  s.XonChar = static_cast<char>(t.c_cc[VSTART]);
  s.XoffChar = static_cast<char>(t.c_cc[VSTOP]);
  return 0;
}
