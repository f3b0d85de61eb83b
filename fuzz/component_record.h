// The record the component stream target reads: every value type,
// sub-properties and a string list (the seeds are written from it).
#pragma once

#include "platform/rtl/classes.h"

class TFuzzFont : public TPersistent {
public:
  Integer Size = 0;
  std::vector<AnsiString> Style;
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Size", [this](TReader* R) { Size = R->ReadInteger(); }, [this](TWriter* W) { W->WriteInteger(Size); },
        true);
    Filer->DefineProperty(
        "Style", [this](TReader* R) { Style = R->ReadSet(); }, [this](TWriter* W) { W->WriteSet(Style); }, true);
  }
};

class TFuzzRecord : public TComponent {
public:
  explicit TFuzzRecord(TComponent* AOwner) : TComponent(AOwner) {}
  Int64 Col = 0;
  AnsiString Cell;
  WideString Wide;
  bool Flag = false;
  double Value = 0;
  AnsiString Kind = "ctNone";
  std::vector<Byte> Data;
  TFuzzFont Font;
  TStringList Lines;

  void DefineProperties(TFiler* Filer) override {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Col", [this](TReader* R) { Col = R->ReadInt64(); }, [this](TWriter* W) { W->WriteInteger(Col); }, true);
    Filer->DefineProperty(
        "Cell", [this](TReader* R) { Cell = R->ReadString(); }, [this](TWriter* W) { W->WriteString(Cell); }, true);
    Filer->DefineProperty(
        "Wide", [this](TReader* R) { Wide = R->ReadWideString(); },
        [this](TWriter* W) { W->WriteWideString(Wide); }, true);
    Filer->DefineProperty(
        "Flag", [this](TReader* R) { Flag = R->ReadBoolean(); }, [this](TWriter* W) { W->WriteBoolean(Flag); },
        true);
    Filer->DefineProperty(
        "Value", [this](TReader* R) { Value = R->ReadFloat(); }, [this](TWriter* W) { W->WriteFloat(Value); }, true);
    Filer->DefineProperty(
        "Kind", [this](TReader* R) { Kind = R->ReadIdent(); }, [this](TWriter* W) { W->WriteIdent(Kind); }, true);
    // Read but never written: values of any kind are skipped.
    Filer->DefineProperty("Skipped", nullptr, nullptr, false);
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream* S) {
          Data.resize(static_cast<std::size_t>(S->GetSize()));
          if (!Data.empty()) S->ReadBuffer(Data.data(), static_cast<int>(Data.size()));
        },
        [this](TStream* S) {
          if (!Data.empty()) S->WriteBuffer(Data.data(), static_cast<int>(Data.size()));
        },
        true);
    Filer->DefineSubProperties("Font", &Font);
    Filer->DefineSubProperties("Lines", &Lines);
  }
};
