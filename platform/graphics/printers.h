// Printer settings types shared by the components that print.
#pragma once

enum TPrinterOrientation { poPortrait, poLandscape };
