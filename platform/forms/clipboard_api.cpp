// The system's clipboard functions over the process's clipboard content.
#include <cstdio>
#include <cstring>

#include "platform/forms/clipbrd.h"
#include "platform/forms/clipbrd_internal.h"
#include "platform/rtl/codepages.h"

namespace {

struct TApiState {
  bool Open = false;
  HWND Owner = nullptr;
  // Blocks handed out by GetClipboardData, freed when the clipboard closes.
  std::vector<HGLOBAL> Given;
};

TApiState& State() {
  static TApiState s;
  return s;
}

std::vector<Byte> BlockBytes(HGLOBAL Mem, bool& Ok) {
  std::vector<Byte> Out;
  const std::size_t Size = GlobalSize(Mem);
  const void* P = GlobalLock(Mem);
  Ok = P != nullptr;
  if (!Ok) return Out;
  Out.assign(static_cast<const Byte*>(P), static_cast<const Byte*>(P) + Size);
  GlobalUnlock(Mem);
  return Out;
}

HGLOBAL NewBlock(const Byte* Data, std::size_t Size) {
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, Size);
  if (!Mem) return nullptr;
  if (Size) {
    void* P = GlobalLock(Mem);
    if (!P) {
      GlobalFree(Mem);
      return nullptr;
    }
    std::memcpy(P, Data, Size);
    GlobalUnlock(Mem);
  }
  return Mem;
}

// Decimal digits after Key in the header part; -1 when missing.
long long HeaderNumber(const std::vector<Byte>& Data, std::size_t HeaderEnd, const char* Key) {
  const std::size_t KeyLen = std::strlen(Key);
  for (std::size_t I = 0; I + KeyLen <= HeaderEnd; ++I) {
    if (std::memcmp(Data.data() + I, Key, KeyLen) != 0) continue;
    std::size_t J = I + KeyLen;
    long long V = 0;
    std::size_t Digits = 0;
    while (J < HeaderEnd && Data[J] >= '0' && Data[J] <= '9' && Digits < 18) {
      V = V * 10 + (Data[J] - '0');
      ++J;
      ++Digits;
    }
    return Digits ? V : -1;
  }
  return -1;
}

}  // namespace

bool HTMLFormatDocument(const std::vector<Byte>& Data, std::size_t& Start, std::size_t& End) {
  Start = 0;
  End = Data.size();
  // The header ends where the markup begins.
  std::size_t HeaderEnd = 0;
  while (HeaderEnd < Data.size() && Data[HeaderEnd] != '<') ++HeaderEnd;
  const long long S = HeaderNumber(Data, HeaderEnd, "StartHTML:");
  const long long E = HeaderNumber(Data, HeaderEnd, "EndHTML:");
  if (S < 0 || E < S || static_cast<unsigned long long>(E) > Data.size()) return false;
  Start = static_cast<std::size_t>(S);
  End = static_cast<std::size_t>(E);
  return true;
}

std::vector<Byte> HTMLFormatWrap(const std::vector<Byte>& Document) {
  // Eight-digit offsets give a header of fixed length.
  auto Header = [](std::size_t Start, std::size_t End) {
    char Buf[200];
    std::snprintf(Buf, sizeof Buf,
                  "Version:1.0\r\nStartHTML:%.8zu\r\nEndHTML:%.8zu\r\nStartFragment:%.8zu\r\nEndFragment:%.8zu\r\n",
                  Start, End, Start, End);
    return std::string(Buf);
  };
  std::size_t Start = Header(0, 0).size();
  std::string H = Header(Start, Start + Document.size());
  if (H.size() != Start) {  // offsets past eight digits
    Start = H.size();
    H = Header(Start, Start + Document.size());
  }
  std::vector<Byte> Out(H.begin(), H.end());
  Out.insert(Out.end(), Document.begin(), Document.end());
  return Out;
}

BOOL OpenClipboard(HWND hWndNewOwner) {
  TApiState& S = State();
  if (S.Open) return S.Owner == hWndNewOwner ? TRUE : FALSE;
  S.Open = true;
  S.Owner = hWndNewOwner;
  Clipboard()->Open();
  return TRUE;
}

BOOL CloseClipboard() {
  TApiState& S = State();
  if (!S.Open) return FALSE;
  for (HGLOBAL Mem : S.Given) GlobalFree(Mem);
  S.Given.clear();
  S.Open = false;
  S.Owner = nullptr;
  Clipboard()->Close();
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!State().Open) return FALSE;
  Clipboard()->Clear();
  return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
  if (!State().Open || !hMem || uFormat == 0) return nullptr;
  bool Ok = false;
  std::vector<Byte> Data = BlockBytes(hMem, Ok);
  if (!Ok) return nullptr;
  if (uFormat == CF_TEXT) {
    for (std::size_t I = 0; I < Data.size(); ++I)
      if (Data[I] == 0) {
        Data.resize(I);
        break;
      }
  } else if (uFormat == CF_UNICODETEXT) {
    WideString W;
    for (std::size_t I = 0; I + 1 < Data.size(); I += 2) {
      const char16_t U = static_cast<char16_t>(Data[I] | (Data[I + 1] << 8));
      if (U == 0) break;
      W += U;
    }
    const AnsiString T = WideToUtf8(W);
    Data.assign(T.begin(), T.end());
    uFormat = CF_TEXT;
  }
  Clipboard()->PutFormat(uFormat, Data);
  GlobalFree(hMem);
  return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
  TApiState& S = State();
  if (!S.Open || !Clipboard()->HasFormat(uFormat)) return nullptr;
  std::vector<Byte> Data = Clipboard()->GetAsHandle(uFormat);
  if (uFormat == CF_TEXT) {
    Data.push_back(0);
  } else if (uFormat == CF_UNICODETEXT) {
    const WideString W = Utf8ToWide(AnsiString(Data.begin(), Data.end()));
    Data.clear();
    for (char16_t U : W) {
      Data.push_back(static_cast<Byte>(U & 0xFF));
      Data.push_back(static_cast<Byte>(U >> 8));
    }
    Data.push_back(0);
    Data.push_back(0);
  }
  HGLOBAL Mem = NewBlock(Data.data(), Data.size());
  if (Mem) S.Given.push_back(Mem);
  return Mem;
}

BOOL IsClipboardFormatAvailable(UINT Format) { return Clipboard()->HasFormat(Format) ? TRUE : FALSE; }

HWND GetOpenClipboardWindow() { return State().Open ? State().Owner : nullptr; }
