#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/rtl/classes.h"

// Records of the component stream; global so that their class names are plain.
class TSubProps : public TPersistent {
public:
  Integer Size = 0;
  std::vector<AnsiString> Style;
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "Size", [this](TReader* R) { Size = R->ReadInteger(); }, [this](TWriter* W) { W->WriteInteger(Size); },
        true);
    Filer->DefineProperty(
        "Style", [this](TReader* R) { Style = R->ReadSet(); }, [this](TWriter* W) { W->WriteSet(Style); },
        true);
  }
};

class TRecIO : public TComponent {
public:
  explicit TRecIO(TComponent* AOwner) : TComponent(AOwner) {}
  Int64 Col = 0;
  AnsiString Cell;
  bool HasProp = false;
  double Value = 0;
  AnsiString Kind = "ctNone";
  std::vector<Byte> Data;
  TSubProps Sub;
  TStringList Lines;
  bool Full = false;  // when false only Col, Cell and HasProp are written

  void DefineProperties(TFiler* Filer) override {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Col", [this](TReader* R) { Col = R->ReadInt64(); }, [this](TWriter* W) { W->WriteInteger(Col); }, true);
    Filer->DefineProperty(
        "Cell", [this](TReader* R) { Cell = R->ReadString(); }, [this](TWriter* W) { W->WriteString(Cell); },
        true);
    Filer->DefineProperty(
        "HasProp", [this](TReader* R) { HasProp = R->ReadBoolean(); },
        [this](TWriter* W) { W->WriteBoolean(HasProp); }, true);
    Filer->DefineProperty(
        "Value", [this](TReader* R) { Value = R->ReadFloat(); }, [this](TWriter* W) { W->WriteFloat(Value); },
        Full);
    Filer->DefineProperty(
        "Kind", [this](TReader* R) { Kind = R->ReadIdent(); }, [this](TWriter* W) { W->WriteIdent(Kind); }, Full);
    Filer->DefineBinaryProperty(
        "Data", [this](TStream* S) { Data.resize(S->Size()); S->ReadBuffer(Data.data(), static_cast<int>(Data.size())); },
        [this](TStream* S) { S->WriteBuffer(Data.data(), static_cast<int>(Data.size())); }, Full);
    if (Full) Filer->DefineSubProperties("Font", &Sub);
    if (Full) Filer->DefineSubProperties("Lines", &Lines);
  }
};

namespace {

std::string Bytes(TMemoryStream& m) { return std::string(static_cast<char*>(m.Memory()), m.Size()); }

TEST(ComponentStream, RecordEnvelopeBytes) {
  TRecIO rec(nullptr);
  rec.Col = 5;
  rec.Cell = "ab";
  rec.HasProp = true;
  TMemoryStream m;
  m.WriteComponent(&rec);
  const std::string expect =
      std::string("TPF0\x06TRecIO\x00", 12) + "\x03" "Col\x02\x05" "\x04" "Cell\x06\x02" "ab" "\x07" "HasProp\x09" +
      std::string("\x00\x00", 2);
  EXPECT_EQ(Bytes(m), expect);
}

TEST(ComponentStream, ValuesRoundTrip) {
  struct Case {
    Int64 col;
    AnsiString cell;
    double value;
  };
  for (const Case& c : {
           Case{0, "", 0.0},
           Case{-129, std::string(300, 'x'), -1.5},
           Case{70000, "Счётчик", 1e-310},
           Case{-5000000000LL, std::string("a\0b", 3), std::numeric_limits<double>::infinity()},
           Case{127, "|\\0041", 3.141592653589793},
       }) {
    SCOPED_TRACE(c.col);
    TRecIO out(nullptr), in(nullptr);
    out.Full = in.Full = true;
    out.Col = c.col;
    out.Cell = c.cell;
    out.Value = c.value;
    out.Kind = "ctRadio";
    out.Data = {0, 1, 2, 255};
    out.Sub.Size = 12;
    out.Sub.Style = {"fsBold", "fsItalic"};
    out.Lines.SetCommaText("one,\"two three\",Ёж");
    out.SetName("Rec1");
    TMemoryStream m;
    m.WriteComponent(&out);
    m.SetPosition(0);
    m.ReadComponent(&in);
    EXPECT_EQ(m.Position(), m.Size());
    EXPECT_EQ(in.GetName(), "Rec1");
    EXPECT_EQ(in.Col, c.col);
    EXPECT_EQ(in.Cell, c.cell);
    EXPECT_EQ(std::memcmp(&in.Value, &c.value, sizeof(double)), 0) << in.Value;
    EXPECT_EQ(in.Kind, "ctRadio");
    EXPECT_EQ(in.Data, out.Data);
    EXPECT_EQ(in.Sub.Size, 12);
    EXPECT_EQ(in.Sub.Style, out.Sub.Style);
    EXPECT_TRUE(in.Lines.Equals(&out.Lines));
  }
}

TEST(ComponentStream, RecordsFollowOneAnother) {
  TMemoryStream m;
  for (int i = 0; i < 3; ++i) {
    TRecIO rec(nullptr);
    rec.Col = i * 1000;
    m.WriteComponent(&rec);
  }
  m.SetPosition(0);
  for (int i = 0; i < 3; ++i) {
    TRecIO rec(nullptr);
    m.ReadComponent(&rec);
    EXPECT_EQ(rec.Col, i * 1000);
  }
}

TEST(ComponentStream, BadInputRaisesReadErrors) {
  TRecIO rec(nullptr);
  rec.Cell = "text";
  TMemoryStream good;
  good.WriteComponent(&rec);
  const std::string bytes = Bytes(good);

  auto readFrom = [](const std::string& data) {
    TStringStream s(data);
    TRecIO target(nullptr);
    s.ReadComponent(&target);
  };
  auto messageOf = [&](const std::string& data) -> std::string {
    try {
      readFrom(data);
    } catch (const EReadError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(messageOf("TPF1" + bytes.substr(4)), "Invalid stream format");
  for (std::size_t cut : {std::size_t{2}, std::size_t{10}, bytes.size() - 1})
    EXPECT_EQ(messageOf(bytes.substr(0, cut)), "Stream read error") << cut;

  TMemoryStream unknown;
  TWriter w(&unknown);
  w.WriteSignature();
  w.WriteStr("TRecIO");
  w.WriteStr("");
  w.WritePropName("Colour");
  w.WriteInteger(1);
  w.WriteListEnd();
  w.WriteListEnd();
  EXPECT_EQ(messageOf(Bytes(unknown)), "Property Colour does not exist");

  // A string property holding a huge declared length fails at the data's end.
  std::string huge = bytes;
  auto p = huge.find("\x06\x04text");
  ASSERT_NE(p, std::string::npos);
  huge.replace(p, 6, std::string("\x0C\xFF\xFF\xFF\x7F", 5) + "text");
  EXPECT_EQ(messageOf(huge), "Stream read error");
}

TEST(ComponentStream, DeeplyNestedListsAreSkippedWithoutRecursion) {
  // A child record whose property nests lists and collections far deeper than
  // the call stack could follow by recursion.
  const int depth = 100000;
  auto record = [&](bool closed) {
    TMemoryStream m;
    TWriter w(&m);
    w.WriteSignature();
    w.WriteStr("TRecIO");
    w.WriteStr("");
    w.WritePropName("Col");
    w.WriteInteger(7);
    w.WriteListEnd();
    w.WriteStr("TChild");
    w.WriteStr("");
    w.WritePropName("Deep");
    for (int i = 0; i < depth; ++i) {
      w.WriteValue(vaCollection);
      w.WriteListBegin();
      w.WritePropName("Item");
      w.WriteListBegin();
    }
    if (closed)
      for (int i = 0; i < depth; ++i) {
        w.WriteListEnd();
        w.WriteListEnd();
        w.WriteListEnd();
      }
    w.WriteListEnd();
    w.WriteListEnd();
    return Bytes(m);
  };
  TRecIO target(nullptr);
  TStringStream whole(record(true));
  whole.ReadComponent(&target);
  EXPECT_EQ(target.Col, 7);
  TStringStream cut(record(false));
  EXPECT_THROW(cut.ReadComponent(&target), EReadError);
}

}  // namespace

// A name's length byte above the last value type is still a name.
class TLongNames : public TComponent {
public:
  using TComponent::TComponent;
  Integer Value = 0;
  void DefineProperties(TFiler* Filer) override {
    Filer->DefineProperty(
        "AVeryLongPropertyNameOfForty_Characters_", [this](TReader* R) { Value = R->ReadInteger(); },
        [this](TWriter* W) { W->WriteInteger(Value); }, true);
  }
};

TEST(ComponentStream, NamesLongerThanTheValueTypesAreRead) {
  TLongNames rec(nullptr), back(nullptr);
  rec.Value = 42;
  TMemoryStream m;
  m.WriteComponent(&rec);
  m.SetPosition(0);
  m.ReadComponent(&back);
  EXPECT_EQ(back.Value, 42);
}
