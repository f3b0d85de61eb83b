// The message box of our own: a small modal form with the text and the
// buttons of the box type, used when no host or test answers message boxes.
#include <algorithm>

#include "platform/dialogs/dialogs.h"
#include "platform/graphics/gdi.h"
#include "platform/stdctrls/stdctrls_buttons.h"

namespace {

struct TButtonSpec {
  int Id;
  const char* Caption;
};

std::vector<TButtonSpec> ButtonsOf(UINT Type) {
  switch (Type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "ОК"}, {IDCANCEL, "Отмена"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "Прервать"}, {IDRETRY, "Повтор"}, {IDIGNORE, "Пропустить"}};
    case MB_YESNOCANCEL: return {{IDYES, "Да"}, {IDNO, "Нет"}, {IDCANCEL, "Отмена"}};
    case MB_YESNO: return {{IDYES, "Да"}, {IDNO, "Нет"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "Повтор"}, {IDCANCEL, "Отмена"}};
    default: return {{IDOK, "ОК"}};
  }
}

class TMessageForm : public TForm {
public:
  TMessageForm(const AnsiString& AText, UINT Type) : TForm(nullptr), FMessage(AText) {
    SetFormBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetColor(clBtnFace);
    auto buttons = ButtonsOf(Type);
    // The text decides the width, the buttons at least as much.
    RECT r{0, 0, 400, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetFont()->GetHandle());
    DrawTextA(dc, FMessage.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int bw = 75, bh = 23, gap = 6, margin = 12;
    int buttonsWidth = static_cast<int>(buttons.size()) * (bw + gap) - gap;
    int width = std::max<int>(r.right + 2 * margin, buttonsWidth + 2 * margin);
    FTextRect = TRect(margin, margin, width - margin, margin + r.bottom);
    SetClientWidth(width);
    SetClientHeight(FTextRect.bottom + margin + bh + margin);
    int defaultId = DefaultMessageBoxButton(Type);
    int x = (width - buttonsWidth) / 2;
    for (const auto& s : buttons) {
      auto* b = new TButton(this);
      b->SetCaption(s.Caption);
      b->SetBounds(x, FTextRect.bottom + margin, bw, bh);
      b->SetModalResult(s.Id);
      b->SetParent(this);
      if (s.Id == defaultId) {
        b->SetDefault(true);
        SetActiveControl(b);
      }
      if (s.Id == IDCANCEL) b->SetCancel(true);
      x += bw + gap;
    }
  }

protected:
  void Paint() override {
    TCanvas* c = Canvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->FillRect(GetClientRect());
    c->GetFont()->Assign(GetFont());
    HDC dc = c->GetHandle();
    SetBkMode(dc, TRANSPARENT);
    RECT r = FTextRect;
    DrawTextA(dc, FMessage.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX);
  }

private:
  AnsiString FMessage;
  TRect FTextRect;
};

int FormMessageBox(HWND, const AnsiString& Text, const AnsiString& Caption, UINT Type) {
  TMessageForm form(Text, Type);
  form.SetCaption(Caption);
  int answer = form.ShowModal();
  auto buttons = ButtonsOf(Type);
  bool listed = std::any_of(buttons.begin(), buttons.end(), [&](const TButtonSpec& s) { return s.Id == answer; });
  if (listed) return answer;
  // Closed by its frame: what Escape would answer, else the safe "no".
  for (int id : {IDCANCEL, IDOK, IDNO})
    if (std::any_of(buttons.begin(), buttons.end(), [&](const TButtonSpec& s) { return s.Id == id; })) return id;
  return buttons.front().Id;
}

}  // namespace

void UseFormMessageBoxes() { SetMessageBoxHook(FormMessageBox); }
