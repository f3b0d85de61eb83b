// The grid's settings texts: the column state string, the visual
// properties file and the print settings ini section, chosen by the first
// byte. Property: bad values raise the platform's errors, never more.
#include "fuzz/fuzz_support.h"
#include "grid/viduzozezuvodu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size < 1) return 0;
  const std::string text = AsString(Data + 1, Size - 1);
  VIduZozezuVodu grid(nullptr);
  grid.SetColCount(5);
  grid.SetRowCount(3);
  try {
    switch (Data[0] % 3) {
      case 0:
        grid.StringToColumnStates(text);
        break;
      case 1: {
        static const std::string file = ScratchFile("visualprops");
        WriteFile(file, text);
        grid.LoadVisualProps(file);
        break;
      }
      default: {
        static const std::string file = ScratchFile("printsettings");
        WriteFile(file, text);
        grid.LoadPrintSettings(file, "P");
        break;
      }
    }
  } catch (const EConvertError&) {
  } catch (const EStringListError&) {
  } catch (const EListError&) {
  }
  // Whatever was applied is written out again without harm.
  if (Data[0] % 3 == 0 && grid.GetColCount() <= 1000) grid.ColumnStatesToString();
  return 0;
}
