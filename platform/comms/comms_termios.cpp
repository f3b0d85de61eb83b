// DCB -> termios. The port always stays raw: only the DCB's flow-control
// requests may add IXON/IXOFF or CRTSCTS.
#include "platform/comms/comms_termios.h"

namespace {

struct TBaudEntry {
  unsigned Baud;
  speed_t Speed;
};

constexpr TBaudEntry BaudTable[] = {
    {50, B50},         {75, B75},           {110, B110},         {134, B134},
    {150, B150},       {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},     {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

}  // namespace

speed_t BaudToSpeed(unsigned Baud) {
  for (const auto& e : BaudTable)
    if (e.Baud == Baud) return e.Speed;
  return B0;
}

DCB DefaultCommDCB() {
  DCB d{};
  d.DCBlength = sizeof(DCB);
  d.BaudRate = 9600;
  d.Flags = DCB_FBINARY | (DTR_CONTROL_ENABLE << DCB_FDTRCONTROL_SHIFT) |
            (RTS_CONTROL_ENABLE << DCB_FRTSCONTROL_SHIFT);
  d.XonLim = 2048;
  d.XoffLim = 2048;
  d.ByteSize = 8;
  d.Parity = NOPARITY;
  d.StopBits = ONESTOPBIT;
  d.XonChar = 0x11;
  d.XoffChar = 0x13;
  return d;
}

bool DCBToTermios(const DCB& Dcb, termios& Tio, unsigned* CustomBaud) {
  if (CustomBaud) *CustomBaud = 0;
  if (Dcb.BaudRate == 0) return false;
  if (Dcb.ByteSize < 5 || Dcb.ByteSize > 8) return false;
  if (Dcb.Parity > SPACEPARITY || Dcb.StopBits > TWOSTOPBITS) return false;
  // As on the UART: 1.5 stop bits only with 5 data bits, 2 only with more.
  if ((Dcb.StopBits == ONE5STOPBITS) != (Dcb.ByteSize == 5) && Dcb.StopBits != ONESTOPBIT)
    return false;
  bool outX = Dcb.Flags & DCB_FOUTX, inX = Dcb.Flags & DCB_FINX;
  if ((outX || inX) && Dcb.XonChar == Dcb.XoffChar) return false;

  cfmakeraw(&Tio);
  Tio.c_iflag &= ~(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | BRKINT | PARMRK | INPCK);
  Tio.c_oflag &= ~OPOST;
  Tio.c_lflag &= ~(ICANON | ECHO | ECHONL | ISIG | IEXTEN);
  Tio.c_cflag |= CLOCAL | CREAD;

  Tio.c_cflag &= ~CSIZE;
  static constexpr tcflag_t Sizes[] = {CS5, CS6, CS7, CS8};
  Tio.c_cflag |= Sizes[Dcb.ByteSize - 5];

  Tio.c_cflag &= ~(PARENB | PARODD | CMSPAR);
  switch (Dcb.Parity) {
    case ODDPARITY: Tio.c_cflag |= PARENB | PARODD; break;
    case EVENPARITY: Tio.c_cflag |= PARENB; break;
    case MARKPARITY: Tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case SPACEPARITY: Tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
  }
  if ((Dcb.Flags & DCB_FPARITY) && Dcb.Parity != NOPARITY) Tio.c_iflag |= INPCK;

  if (Dcb.StopBits == ONESTOPBIT)
    Tio.c_cflag &= ~CSTOPB;
  else
    Tio.c_cflag |= CSTOPB;  // two, or 1.5 with five data bits as the UART does

  DWORD rts = (Dcb.Flags & DCB_FRTSCONTROL_MASK) >> DCB_FRTSCONTROL_SHIFT;
  if ((Dcb.Flags & DCB_FOUTXCTSFLOW) || rts == RTS_CONTROL_HANDSHAKE)
    Tio.c_cflag |= CRTSCTS;
  else
    Tio.c_cflag &= ~CRTSCTS;
  if (outX) Tio.c_iflag |= IXON;
  if (inX) Tio.c_iflag |= IXOFF;
  Tio.c_cc[VSTART] = static_cast<cc_t>(Dcb.XonChar);
  Tio.c_cc[VSTOP] = static_cast<cc_t>(Dcb.XoffChar);
  Tio.c_cc[VMIN] = 0;
  Tio.c_cc[VTIME] = 0;

  speed_t speed = BaudToSpeed(Dcb.BaudRate);
  if (speed == B0) {
    // Set a placeholder now; the real rate goes in through termios2.
    if (CustomBaud) *CustomBaud = Dcb.BaudRate;
    speed = B38400;
  }
  cfsetispeed(&Tio, speed);
  cfsetospeed(&Tio, speed);
  return true;
}
