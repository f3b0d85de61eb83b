// Pieces the styled controls and the grid share: the component style
// presets and the interface through which a control takes one, the version
// text every styled component publishes, and the system looks test.
#pragma once

#include "platform/rtl/classes_intf.h"
#include "platform/rtl/sysbase.h"

enum TZytStyle {
  tsOffice2003Blue,
  tsOffice2003Silver,
  tsOffice2003Olive,
  tsOffice2003Classic,
  tsOffice2007Luna,
  tsOffice2007Obsidian,
  tsWindowsXP,
  tsWhidbey,
  tsCustom,
  tsOffice2007Silver,
  tsWindowsVista,
  tsWindows7,
  tsTerminal
};

// {11AC2DDC-C087-4298-AB6E-EA1B5017511B}
extern const TGUID IID_IZytStyle;

// A control that applies its own colour preset per style.
class IZytStyle : public virtual IInterface {
public:
  virtual void SetComponentStyle(TZytStyle AStyle) = 0;
};

// The object's IZytStyle, asked for by its identifier; empty when the object
// does not support it.
TInterfaceRef<IZytStyle> ZytStyleOf(TObject* Instance);

// The four bytes of a packed version number, highest first, as "a.b.c.d".
AnsiString ZytVersionString(int VersionNr);

// True on Windows Vista or later (the system that brought GetLocaleInfoEx):
// controls then take that system's looks and metrics.
bool IsVista();
