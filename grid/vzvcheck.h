// The cell checker the grid runs over edited texts and blocks of cells: it
// may correct a text and mark its errors. The base changes nothing;
// descendants override Correct and MarkError.
#pragma once

#include "platform/rtl/classes_component.h"

class VIduZozezuVoduCheck : public TComponent {
public:
  using TComponent::TComponent;

  virtual AnsiString MarkError(int ACol, int ARow, const AnsiString& Value);
  virtual AnsiString Correct(int ACol, int ARow, const AnsiString& Value);
  // Around a check of many cells.
  virtual void StartCheck();
  virtual void StopCheck();

  bool GetGotoCell() const { return FGotoCell; }
  void SetGotoCell(bool Value) { FGotoCell = Value; }
  // Run Correct and MarkError when an edit is validated.
  bool GetAutoCorrect() const { return FAutoCorrect; }
  void SetAutoCorrect(bool Value) { FAutoCorrect = Value; }
  bool GetAutoMarkError() const { return FAutoMarkError; }
  void SetAutoMarkError(bool Value) { FAutoMarkError = Value; }
  // Run them when the grid checks blocks of cells.
  bool GetUseCorrect() const { return FUseCorrect; }
  void SetUseCorrect(bool Value) { FUseCorrect = Value; }
  bool GetUseMarkError() const { return FUseMarkError; }
  void SetUseMarkError(bool Value) { FUseMarkError = Value; }

  // The first occurrence of OldText (case-sensitive) replaced.
  static AnsiString ReplaceOnce(const AnsiString& Value, const AnsiString& OldText, const AnsiString& NewText);
  // Every occurrence of Search in the visible text of a mini-HTML value
  // wrapped in <Tag> ... </Tag>.
  static AnsiString HiLight(const AnsiString& Value, const AnsiString& Search, const AnsiString& Tag,
                            bool DoCase);

private:
  bool FGotoCell = false;
  bool FAutoCorrect = false;
  bool FAutoMarkError = false;
  bool FUseCorrect = false;
  bool FUseMarkError = false;
};

// Capitalises the first letter of the text and of every sentence.
class TCapitalCheck : public VIduZozezuVoduCheck {
public:
  using VIduZozezuVoduCheck::VIduZozezuVoduCheck;
  AnsiString Correct(int ACol, int ARow, const AnsiString& Value) override;
};
