// OLE drag and drop objects of the grid, independent of the grid itself: a
// drop target base that tells its descendant what was dropped and where, a
// drop source base, the data object of a dragged text or column with its
// format enumerator, a reader of a foreign data object's formats, and the
// two calls that run a whole drag.
#pragma once

#include <memory>

#include "platform/forms/controls.h"
#include "platform/rtl/classes.h"
#include "platform/windows/winole.h"

enum TDropFormat { dfText, dfFile, dfCol, dfRTF, dfURL };
// Bits 1 << TDropFormat.
using TDropFormats = unsigned;
inline constexpr TDropFormats DropFormatBit(TDropFormat F) { return 1u << F; }

// The registered formats; the numbers are fixed when the unit starts.
UINT CF_RTF();
UINT CF_GRIDCOL();
UINT CF_URL();

void SetRTFAware(bool Value);
bool GetRTFAware();

// Move unless Ctrl is held, when Allowed has a move; never DROPEFFECT_NONE.
int StandardEffect(TShiftState Shift, int Allowed);

class TVZVDropTarget : public TInterfacedObject, public IDropTarget {
public:
  TVZVDropTarget() = default;
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT DragEnter(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) override;
  HRESULT DragOver(DWORD KeyState, POINTL Pt, DWORD* Effect) override;
  HRESULT DragLeave() override;
  HRESULT Drop(IDataObject* DataObj, DWORD KeyState, POINTL Pt, DWORD* Effect) override;

  // Points are screen points, as OLE delivers them.
  virtual void DropText(TPoint /*Pt*/, const AnsiString& /*Text*/) {}
  virtual void DropCol(TPoint /*Pt*/, int /*Col*/) {}
  virtual void DropRTF(TPoint /*Pt*/, const AnsiString& /*RTF*/) {}
  virtual void DropFiles(TPoint /*Pt*/, TStrings* /*Files*/) {}
  virtual void DropURL(TPoint /*Pt*/, const AnsiString& /*URL*/) {}
  virtual void DragMouseMove(TPoint /*Pt*/, bool& /*Allow*/, TDropFormats /*Formats*/) {}
  virtual void DragMouseEnter() {}
  virtual void DragMouseLeave() {}

  bool AcceptText = true;
  bool AcceptFiles = true;
  bool AcceptCols = false;
  bool AcceptURLs = true;
  bool GetDropAllowed() const { return FDropAllowed; }
  TDropFormats GetOfferedFormats() const { return FFormats; }

protected:
  // A descendant that refused what was dropped: the drop then reports no
  // effect, so a moving source keeps its data.
  void RefuseDrop() { FDropRefused = true; }

private:
  bool FDropRefused = false;
  bool FDropAllowed = false;
  TDropFormats FFormats = 0;
};

class TVZVDropSource : public TInterfacedObject, public IDropSource {
public:
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) override;
  HRESULT GiveFeedback(DWORD Effect) override;

  virtual void DragDropStop() {}
  virtual void CurrentEffect(int /*Effect*/) {}
  virtual void QueryDrag() {}

  bool GetTargetRefused() const { return FTargetRefused; }

private:
  bool FTargetRefused = false;
};

class TSourceDataObject : public TInterfacedObject, public IDataObject {
public:
  TSourceDataObject(const AnsiString& Text, const AnsiString& RTF, int Col);
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT GetData(FORMATETC* FormatIn, STGMEDIUM* Medium) override;
  HRESULT GetDataHere(FORMATETC* Format, STGMEDIUM* Medium) override;
  HRESULT QueryGetData(FORMATETC* Format) override;
  HRESULT GetCanonicalFormatEtc(FORMATETC* FormatIn, FORMATETC* FormatOut) override;
  HRESULT SetData(FORMATETC* Format, STGMEDIUM* Medium, BOOL Release) override;
  HRESULT EnumFormatEtc(DWORD Direction, IEnumFORMATETC** Enum) override;
  HRESULT DAdvise(FORMATETC* Format, DWORD Advf, IAdviseSink* Sink, DWORD* Connection) override;
  HRESULT DUnadvise(DWORD Connection) override;
  HRESULT EnumDAdvise(IEnumSTATDATA** Enum) override;

private:
  AnsiString FText;
  AnsiString FRTF;
  int FCol;
};

class TSourceEnumFormatEtc : public TInterfacedObject, public IEnumFORMATETC {
public:
  explicit TSourceEnumFormatEtc(bool WithCol, int Position = 0) : FWithCol(WithCol), FPosition(Position) {}
  HRESULT QueryInterface(const TGUID& IID, void** Obj) override;
  ULONG AddRef() override { return TInterfacedObject::AddRef(); }
  ULONG Release() override { return TInterfacedObject::Release(); }
  HRESULT Next(ULONG Celt, FORMATETC* Elements, ULONG* Fetched) override;
  HRESULT Skip(ULONG Celt) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumFORMATETC** Enum) override;
  int GetPosition() const { return FPosition; }

private:
  int Count() const { return FWithCol ? 4 : 3; }
  bool FWithCol;
  int FPosition;
};

// Reads the formats of a foreign data object. Blocks are read only within
// their size and released after reading.
class TEnumFormats : public TObject {
public:
  explicit TEnumFormats(IDataObject* DataObject);
  ~TEnumFormats() override;
  TEnumFormats(const TEnumFormats&) = delete;
  TEnumFormats& operator=(const TEnumFormats&) = delete;

  // Raises EAssertionFailed "Cannot get the format enumerator" when the
  // object has none.
  void SetDataObject(IDataObject* Value);
  IDataObject* GetDataObject() const { return FDataObject; }
  bool Reset();
  bool Next();
  bool HasFormat(UINT Cf);
  // The block of the current entry (a copy; empty on failure).
  bool Handle(DWORD Tymed, std::string& Block);
  bool GlobalHandle(std::string& Block) { return Handle(TYMED_HGLOBAL, Block); }
  int SomeInt(UINT Cf);
  AnsiString SomeText(UINT Cf);
  bool SomeFiles(TStringList*& List);
  int Col() { return SomeInt(CF_GRIDCOL()); }
  AnsiString RTF() { return SomeText(CF_RTF()); }
  AnsiString Text() { return SomeText(CF_TEXT_FORMAT); }
  bool HasText() { return HasFormat(CF_TEXT_FORMAT); }
  bool HasRTF() { return HasFormat(CF_RTF()); }
  bool HasCol() { return HasFormat(CF_GRIDCOL()); }
  bool HasFile() { return HasFormat(CF_HDROP); }
  bool HasURL() { return HasFormat(CF_URL()); }

  DWORD GetAspect() const { return FCurrent.dwAspect; }
  void SetAspect(DWORD V) { FCurrent.dwAspect = V; }
  CLIPFORMAT GetcfFormat() const { return FCurrent.cfFormat; }
  void SetcfFormat(CLIPFORMAT V) { FCurrent.cfFormat = V; }
  LONG GetlIndex() const { return FCurrent.lindex; }
  void SetlIndex(LONG V) { FCurrent.lindex = V; }
  DWORD GetTymed() const { return FCurrent.tymed; }
  void SetTymed(DWORD V) { FCurrent.tymed = V; }
  TStringList* GetFiles() const { return FFiles.get(); }

  static constexpr UINT CF_TEXT_FORMAT = 1;

private:
  IDataObject* FDataObject = nullptr;
  IEnumFORMATETC* FEnum = nullptr;
  FORMATETC FCurrent{};
  bool FValid = false;
  int FCount = 0;
  std::unique_ptr<TStringList> FFiles = std::make_unique<TStringList>();
};

// The block readers on their own, for callers holding a block's bytes: the
// first 32-bit integer (-1 when shorter), the text up to the first zero
// ("" without one), and the names of a DROPFILES block (false when none).
int DropBlockInt(const std::string& Block);
AnsiString DropBlockText(const std::string& Block);
bool DropBlockFiles(const std::string& Block, TStrings* List);

HRESULT StartTextDoDragDrop(TVZVDropSource* Source, const AnsiString& Text, const AnsiString& RTF, int OkEffects,
                            int& Effect);
HRESULT StartColDoDragDrop(TVZVDropSource* Source, int Col, int OkEffects, int& Effect);
