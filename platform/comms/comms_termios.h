// Line settings of the platform's DCB expressed as Linux termios (internal to
// the communications layer).
#pragma once

#include <termios.h>

#include "platform/comms/comms.h"

// Builds raw-mode termios for the DCB from the device's current settings.
// False for settings the device cannot take (byte size outside 5..8, unknown
// parity or stop bits, 1.5 stop bits with more than 5 data bits or 2 with
// 5, equal XON
// and XOFF characters under software flow control, a zero baud rate).
// *CustomBaud receives the rate when it has no B-constant (set with
// SetCustomBaud after tcsetattr), else 0.
bool DCBToTermios(const DCB& Dcb, termios& Tio, unsigned* CustomBaud);

// Sets a rate without a B-constant through termios2; false where unsupported.
bool SetCustomBaud(int Fd, unsigned Baud);

// The rate's B-constant, or B0 when it has none.
speed_t BaudToSpeed(unsigned Baud);

// The default line settings of a port: 9600 baud, 8 data bits, no parity,
// one stop bit, binary, DTR and RTS on, XON 0x11, XOFF 0x13, limits 2048.
DCB DefaultCommDCB();
