// The grid's rich edit: selection offsets, focus loss, the size requests
// of the measuring and the editing edit, and Up/Down handed to the grid.
#include "grid/zytrichedit.h"

#include "grid/viduzozezuvodu.h"
#include "platform/richtext/richtext_format.h"

namespace {

VIduZozezuVodu* GridOwner(TComponent* AOwner) {
  auto* G = dynamic_cast<VIduZozezuVodu*>(AOwner);
  if (!G) throw EInvalidCast("The owner of a rich edit must be a grid");
  return G;
}

}  // namespace

TZytRichEdit::TZytRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(GridOwner(AOwner)) {}

void TZytRichEdit::SetSelOffset(LONG Twips) {
  CHARFORMATA Cf{};
  Cf.cbSize = 60;
  Cf.dwMask = CFM_OFFSET;
  Cf.yOffset = Twips;
  SendMessageA(Handle(), EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&Cf));
}

LONG TZytRichEdit::GetSelOffset() {
  CHARFORMATA Cf{};
  Cf.cbSize = 60;
  Cf.dwMask = CFM_OFFSET;
  SendMessageA(Handle(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&Cf));
  return Cf.yOffset;
}

void TZytRichEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case CN_NOTIFY: CNNotify(Message); return;
    default: TRichEdit::Dispatch(Message);
  }
}

void TZytRichEdit::WMKillFocus(TMessage& Message) {
  if (FGrid->PopupEditorLeft) return;
  if (FGrid->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == FGrid->Handle()) FGrid->HideInplaceEdit();
  TRichEdit::Dispatch(Message);
}

void TZytRichEdit::CNNotify(TMessage& Message) {
  const auto* Hdr = reinterpret_cast<const NMHDR*>(Message.LParam);
  if (Hdr && Hdr->code == EN_REQUESTRESIZE && !(GetComponentState() & csDesigning)) {
    const RECT& Rc = reinterpret_cast<const REQRESIZE*>(Hdr)->rc;
    if (Measuring) {
      ReqWidth = Rc.right - Rc.left;
      ReqHeight = Rc.bottom - Rc.top;
    } else if (FGrid->GetSizeWhileTyping()->Height && !FLocked) {
      const int H = Rc.bottom - Rc.top;
      const int Row = FGrid->GetRow();
      const TRect Cell = FGrid->CellRect(FGrid->GetCol(), Row);
      if (H > FGrid->GetRowHeights(Row) && Cell.top + H < FGrid->GetClientHeight()) {
        SetHeight(H + 4);
        FGrid->SetRowHeights(Row, H + 5);
        if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, Row);
      }
    }
  }
  TRichEdit::Dispatch(Message);
}

void TZytRichEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->GetWordWrapEx() && !FGrid->GetMultilinecells()) {
    FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
  }
}
