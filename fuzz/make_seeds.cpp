// Writes each fuzz target's seed files into <dir>/<target>/: small files
// made with the project's own writers, plus the inputs that once hung or
// crashed a reader, so that a regression on a known input fails at once.
//   yunt_fuzz_seeds <dir>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include <unistd.h>

#include "fuzz/component_record.h"
#include "fuzz/fuzz_support.h"
#include "grid/exchange/binrecords.h"
#include "grid/viduzozezuvodu.h"
#include "meter/Comands_decode.h"
#include "platform/graphics/graphics.h"
#include "platform/graphics/jpeg.h"
#include "platform/richtext/richtext_rtf.h"
#include "platform/settings/registry.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

fs::path gRoot;

void AddInput(const char* Target, const std::string& Name, const std::string& Bytes) {
  fs::create_directories(gRoot / Target);
  WriteFile((gRoot / Target / Name).string(), Bytes);
}

std::string ReadAll(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Quadrants(TBitmap& B, int W, int H) {
  B.SetSize(W, H);
  const TColor colors[4] = {clRed, clLime, clBlue, clYellow};
  for (int i = 0; i < 4; ++i) {
    B.GetCanvas()->GetBrush()->SetColor(colors[i]);
    int x = (i % 2) * W / 2, y = (i / 2) * H / 2;
    B.GetCanvas()->FillRect(TRect(x, y, x + W / 2, y + H / 2));
  }
}

template <class TObjectWithSave>
std::string Saved(TObjectWithSave& Object) {
  return BytesWritten([&](TStream* S) { Object.SaveToStream(S); });
}

std::string Jpeg(bool Grey, bool Progressive) {
  TBitmap b;
  Quadrants(b, 16, 8);
  std::vector<Byte> out;
  JpegEncode(b.GetHandle(), 75, Grey, Progressive, out);
  return std::string(out.begin(), out.end());
}

void Strings() {
  AddInput("strings", "comma", ",\"a,b,\"c d\",\"say \"\"hi\"\"\",,x"s);
  AddInput("strings", "delimited", ";'p;'q r';'it''s';"s);
  AddInput("strings", "lines", ",\"one\r\ntwo\nthree\rfour"s);
  AddInput("strings", "nul-in-item", ",\"a\0b,\0\0c"s);  // looped forever
}

// UTF-16 little-endian bytes of a wide text.
std::string WideBytes(const std::u16string& S) {
  std::string out;
  for (char16_t c : S) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

void WideStrings() {
  AddInput("widestrings", "comma", WideBytes(u" x , \"y,z\" ,, w,\"say \"\"hi\"\"\""));
  AddInput("widestrings", "lines", WideBytes(u"a\r\nb\rc\u2028d\u2029e\v\f"));
  AddInput("widestrings", "nul-and-trailing-comma", WideBytes(std::u16string(u"a\0 b,", 6) + u"Ж,"));
}

void ComponentStream() {
  TFuzzRecord r(nullptr);
  r.SetName("Cell1");
  r.Col = -70000;
  r.Cell = "текст";
  r.Wide = u"wide";
  r.Flag = true;
  r.Value = 2.5;
  r.Kind = "ctText";
  r.Data = {1, 2, 3};
  r.Font.Size = 9;
  r.Font.Style = {"fsBold", "fsItalic"};
  r.Lines.Add("a");
  r.Lines.Add("b");
  AddInput("component_stream", "record", BytesWritten([&](TStream* S) { S->WriteComponent(&r); }));
  TFuzzRecord empty(nullptr);
  AddInput("component_stream", "empty", BytesWritten([&](TStream* S) { S->WriteComponent(&empty); }));
  // A child record whose property nests lists 20,000 deep (overflowed the stack).
  TMemoryStream deep;
  TWriter w(&deep);
  w.WriteSignature();
  w.WriteStr("TFuzzRecord");
  w.WriteStr("");
  w.WriteListEnd();
  w.WriteStr("TChild");
  w.WriteStr("");
  w.WritePropName("Deep");
  for (int i = 0; i < 20000; ++i) w.WriteListBegin();
  for (int i = 0; i < 20000; ++i) w.WriteListEnd();
  w.WriteListEnd();
  w.WriteListEnd();
  AddInput("component_stream", "deep-lists", StreamBytes(deep));
}

void NumbersDates() {
  const std::pair<const char*, const char*> inputs[] = {
      {"int", "123"},           {"int-min", "-2147483648"},  {"int64-max", "9223372036854775807"},
      {"hex", "$7FFF"},         {"grouped", "1 234,50"},      {"negative", "-1,5"},
      {"exponent", "1E20"},     {"double-max", "1,79769313486232E308"},
      {"date", "31.12.2024"},   {"no-such-day", "29.02.2023"}, {"time", "12:30:59"},
      {"date-time", "31.12.2024 23:59"}, {"short-date", "1/2/3"}, {"blanks", " 07.05 "},
  };
  for (const auto& [name, text] : inputs) AddInput("numbers_dates", name, text);
}

void Matcher() {
  AddInput("matcher", "wildcard", "a*b?c\0axxbyc"s);
  AddInput("matcher", "compare", ">5 & <=10\0007"s);
  AddInput("matcher", "or-quoted", "\"x y\"|z*\0zz"s);
  AddInput("matcher", "negate", "!abc*\0abd"s);
  AddInput("matcher", "groups", "(a*&*b)|(c;d)\0ab"s);
  AddInput("matcher", "date", ">=01.01.2024\00031.12.2024"s);
  AddInput("matcher", "sequence", "OK\r\0xxOK\r\nOOK\r"s);
}

// A frame of Length bytes with its CRC, as the meter answers.
std::string Frame(std::uint8_t Cmd, std::vector<std::uint8_t> Body, int Length) {
  std::vector<std::uint8_t> f(static_cast<std::size_t>(Length), 0);
  f[0] = 0x39, f[1] = 0x30, f[3] = Cmd;
  for (std::size_t i = 0; i < Body.size() && 4 + i + 2 < f.size(); ++i) f[4 + i] = Body[i];
  const std::int32_t crc = comands::Crc16(f.data(), Length);
  f[static_cast<std::size_t>(Length) - 2] = static_cast<std::uint8_t>(crc >> 8);
  f[static_cast<std::size_t>(Length) - 1] = static_cast<std::uint8_t>(crc);
  return std::string(1, static_cast<char>(Cmd)) + std::string(f.begin(), f.end());
}

void MeterAnswers() {
  AddInput("meter_answers", "clock", Frame(0x10, {0x59, 0x30, 0x23, 3, 0x31, 0x12, 0x24}, 13));
  AddInput("meter_answers", "ack", Frame(0x11, {0xAA}, 7));
  AddInput("meter_answers", "energy", Frame(0x12, {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}, 22));
  AddInput("meter_answers", "ident", Frame(0x25, {1, 0, 0x1B, 0x29, 0, 0, 0xCC, 0xEE, 0xF1, 0xF2, 0xEE}, 28));
  AddInput("meter_answers", "profile-no-data", Frame(0x26, {0xFF}, 7));
  AddInput("meter_answers", "events", Frame(0x14, {0x31, 0x12, 0x24, 0x23, 0x59, 0x01, 0x01, 0x25, 0, 0}, 56));
}

void IniFile() {
  AddInput("inifile", "plain", "[Port]\r\nName=COM1\r\nBaud=9600\r\n; note\r\n[Окно]\r\nLeft = 10 \r\nTitle=\"quoted\"\r\n"s);
  AddInput("inifile", "odd", "Key before=any\n[A]\n=empty key\n[A]\nx=second\n[B\ny\n"s);
}

void Registry() {
  const fs::path dir = fs::temp_directory_path() / ("yunt_fuzz_seeds_reg_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  SetRegistryStoreDir(dir.string());
  {
    TRegistry reg;
    reg.OpenKey("Software\\Yunt\\Port", true);
    reg.WriteString("Name", "COM1");
    reg.WriteInteger("Baud", 9600);
    reg.WriteBinaryData("Raw", "\x01\x02\x03", 3);
    reg.WriteString("Текст", "значение \"в кавычках\"\\");
  }
  AddInput("registry", "written", ReadAll(dir / "HKEY_CURRENT_USER.reg"));
  SetRegistryStoreDir("");
  fs::remove_all(dir);
  AddInput("registry", "nul-name", "[K]\n\"a\\x00b\"=dword:1\n"s);
  AddInput("registry", "forms", "; c\n[A\\B]\n@=\"d\"\n\"m\"=hex(7):61,00,00,00\n\"e\"=hex(2):25,00\n"s);
}

void Rtf() {
  AddInput("rtf", "formatted",
       "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}"
       "{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs20\\cf1 Red \\b bold\\b0 \\i it\\i0\\par"
       "\\qc\\li360\\fi-180 centred \\'e0\\u1046?\\tab x\\par}"s);
  TRichTextDocument doc;
  doc.SetText("Строка один\r\nline two");
  AddInput("rtf", "written", RtfWrite(doc));
  AddInput("rtf", "skipped", "{\\rtf1{\\*\\unknown {nested}}{\\pict 0102}{\\info{\\title t}}text}"s);
}

void Pictures() {
  TBitmap b;
  Quadrants(b, 8, 6);
  const std::string bmp24 = Saved(b);
  AddInput("bmp", "24bit", bmp24);
  b.SetPixelFormat(pf32bit);
  AddInput("bmp", "32bit", Saved(b));
  TBitmap mono;
  Quadrants(mono, 9, 3);
  mono.SetPixelFormat(pf1bit);
  AddInput("bmp", "1bit", Saved(mono));

  TIcon icon;
  {
    TBitmap c;
    Quadrants(c, 16, 16);
    HICON h = CreateIconFromBitmaps(c.GetHandle(), nullptr, 0, 0);
    icon.SetHandle(h);
  }
  const std::string ico = Saved(icon);
  AddInput("ico", "dib", ico);

  const std::string jpg = Jpeg(false, false);
  AddInput("jpeg", "colour", jpg);
  AddInput("jpeg", "grey-progressive", Jpeg(true, true));
  // A few hundred bytes claiming 16383 x 8191 (decoded for seconds, in gigabytes).
  std::string bomb = jpg;
  for (std::size_t i = 2; i + 9 < bomb.size(); ++i)
    if (static_cast<std::uint8_t>(bomb[i]) == 0xFF && static_cast<std::uint8_t>(bomb[i + 1]) == 0xC0) {
      bomb[i + 5] = '\x1F', bomb[i + 6] = '\xFF', bomb[i + 7] = '\x3F', bomb[i + 8] = '\xFF';
      break;
    }
  AddInput("jpeg", "huge-header", bomb);

  const fs::path png = fs::temp_directory_path() / ("yunt_fuzz_seed_" + std::to_string(::getpid()) + ".png");
  GdiSaveBitmapPNG(b.GetHandle(), png.string());
  AddInput("picture", "png", ReadAll(png));
  fs::remove(png);
  AddInput("picture", "gif", "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;"s);
  AddInput("picture", "bmp", bmp24);
  AddInput("picture", "jpeg", jpg);
  AddInput("picture", "ico", ico);
}

void TextCells() {
  VIduZozezuVodu g(nullptr);
  g.SetColCountEx(4);
  g.SetRowCountEx(3);
  g.SetColWidths(2, 120);
  g.SetCellEx(1, 1, "text");
  g.SetCellEx(2, 2, "two\r\nlines");
  g.SetCellEx(0, 0, "fixed");
  const std::string saved = Saved(g);
  AddInput("textcells", "stream", "\x00"s + saved);
  AddInput("textcells", "stream-multiline", "\x02"s + saved);
  AddInput("textcells", "file-no-fixed", "\x05"s + saved);
  // A 16-byte file that once took half a minute to free, and sizes near 2^31.
  AddInput("textcells", "huge-extent", "\x04" "1000,1000000\r\n"s);
  AddInput("textcells", "int-limits", "\x00" "2147483647,2147483647\r\n1,2147483647,x\r\n"s);
}

void BinStream() {
  VIduZozezuVodu g(nullptr);
  g.SetColCountEx(4);
  g.SetRowCountEx(3);
  g.SetColWidths(2, 120);
  g.SetCellEx(1, 1, "текст");
  g.SetCellEx(2, 2, "two\r\nlines");
  TCellProperties* p = g.GetCellProperties(1, 1);
  p->SetBrushColor(clYellow);
  p->FontStyle = TFontStyles{fsBold};
  g.MergeCells(2, 1, 2, 2);
  Quadrants(*g.CreateBitmap(3, 2, false, haLeft, vaTop), 4, 4);
  TStrings* radio = g.CreateRadio(1, 2, 0, 1);
  radio->Add("a");
  radio->Add("b");
  g.AddComment(3, 1, "note");
  const std::string whole = BytesWritten([&](TStream* S) { g.SaveToBinStream(S); });
  const std::string block = BytesWritten([&](TStream* S) { g.SaveRectToBinStream(TGridRect{1, 1, 2, 2}, S); });
  AddInput("binstream", "whole-at-origin", "\x01"s + whole);
  AddInput("binstream", "whole-inside", "\x00"s + whole);
  AddInput("binstream", "block", "\x00"s + block);
  AddInput("binstream", "trailing-byte", "\x01"s + block + "Z");
  // One cell merged into a base three rows above it, with a radio group:
  // read at (1, 2) the base lies outside the grid.
  const std::string outside = BytesWritten([](TStream* S) {
    TGridPropIO H(nullptr);
    H.ColCount = H.RowCount = 1;
    TGridCellIO C(nullptr);
    C.HasProp = true;
    TGridCellPropIO P(nullptr);
    P.GetCellProperties()->IsBaseCell = false;
    P.GetCellProperties()->CellSpanX = 0;
    P.GetCellProperties()->CellSpanY = 3;
    P.HasGraphic = true;
    TGridGraphicIO G(nullptr);
    G.GetCellGraphic()->CellType = ctRadio;
    TGridSLIO L(nullptr);
    L.Strings.Add("one");
    for (TComponent* R : std::initializer_list<TComponent*>{&H, &C, &P, &G, &L}) S->WriteComponent(R);
  });
  AddInput("binstream", "member-of-a-base-outside", "\x00"s + outside);
}

void Paste() {
  AddInput("paste_text", "rows", "\x03"s + "a\tb\r\nc\td\r\n");
  AddInput("paste_text", "quoted-lines", "\x00"s + "\"x\ny\"\tz\r\n\r\nw");
  AddInput("paste_text", "zero-inside", "\x47"s + "p\tq\0\r\nr"s);
  VIduZozezuVodu g(nullptr);
  g.SetColCountEx(3);
  g.SetRowCountEx(3);
  g.SetCellEx(0, 0, "текст");
  g.GetCellProperties(1, 1)->SetBrushColor(clYellow);
  g.AddComment(2, 2, "note");
  const std::string whole = BytesWritten([&](TStream* S) { g.SaveToBinStream(S); });
  const std::string block = BytesWritten([&](TStream* S) { g.SaveRectToBinStream(TGridRect{1, 1, 2, 2}, S); });
  AddInput("paste_cells", "whole-grid", "\x40"s + whole);
  AddInput("paste_cells", "block-smart", "\x15"s + block);
  AddInput("paste_cells", "block-insert", "\x02"s + block);
}

void GridSettings() {
  VIduZozezuVodu g(nullptr);
  g.SetColCountEx(4);
  g.HideColumn(1);
  AddInput("gridsettings", "column-states", "\x00"s + g.ColumnStatesToString());
  AddInput("gridsettings", "column-order", "\x00" "3#64,80,50#2,0,1#1,1,0"s);
  const fs::path file = fs::temp_directory_path() / ("yunt_fuzz_seed_" + std::to_string(::getpid()) + ".txt");
  g.SaveVisualProps(file.string());
  AddInput("gridsettings", "visual-props", "\x01"s + ReadAll(file));
  fs::remove(file);
  g.GetPrintSettings()->GetTitleLines()->Add("A");
  g.GetPrintSettings()->GetTitleLines()->Add("B");
  g.SavePrintSettings(file.string(), "P");
  AddInput("gridsettings", "print-settings", "\x02"s + ReadAll(file));
  fs::remove(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seed-dir>\n", argv[0]);
    return 2;
  }
  gRoot = argv[1];
  Strings();
  WideStrings();
  ComponentStream();
  NumbersDates();
  Matcher();
  MeterAnswers();
  IniFile();
  Registry();
  Rtf();
  Pictures();
  TextCells();
  BinStream();
  Paste();
  GridSettings();
  return 0;
}
