#include "controls/zythintinfo.h"

#include "platform/rtl/classes_filer.h"

DIzoRaruZire::DIzoRaruZire() : FPicture(new TGDIPPicture), FNotes(new TStringList) {}

DIzoRaruZire::~DIzoRaruZire() {
  delete FNotes;
  delete FPicture;
}

void DIzoRaruZire::SetNotes(TStrings* Value) { FNotes->Assign(Value); }

void DIzoRaruZire::SetPicture(TGDIPPicture* Value) { FPicture->Assign(Value); }

void DIzoRaruZire::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<DIzoRaruZire*>(Source);
  if (!src || src == this) return;
  FTitle = src->FTitle;
  SetNotes(src->FNotes);
  FShowHelp = src->FShowHelp;
  SetPicture(src->FPicture);
  WideTitle = src->WideTitle;
  WideNotes = src->WideNotes;
}

void DIzoRaruZire::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineProperty(
      "Title", [this](TReader* r) { FTitle = r->ReadString(); }, [this](TWriter* w) { w->WriteString(FTitle); },
      !FTitle.empty());
  Filer->DefineSubProperties("Notes", FNotes);
  Filer->DefineSubProperties("Picture", FPicture);
  Filer->DefineProperty(
      "ShowHelp", [this](TReader* r) { FShowHelp = r->ReadBoolean(); },
      [this](TWriter* w) { w->WriteBoolean(FShowHelp); }, FShowHelp);
}
