// The XML document server on Qt's XML stream reader. The document is read
// into a flat tree (texts in one pool) once; node objects are handles into it.
#include "platform/ole/xmldom.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>

#include "platform/ole/comobj.h"
#include "platform/rtl/sysutils.h"

namespace {

enum TNodeKind : Byte { nkElement, nkText, nkCData };

struct TXmlNode {
  std::size_t StrOff = 0;  // element name or text, in the pool
  std::uint32_t StrLen = 0;
  TNodeKind Kind = nkElement;
  int FirstChild = -1, LastChild = -1, Next = -1;
  int ChildCount = 0;
  int AttrFirst = 0, AttrCount = 0;
};

struct TXmlAttr {
  std::size_t NameOff, ValueOff;
  std::uint32_t NameLen, ValueLen;
};

struct TXmlTree {
  std::string Pool;
  std::vector<TXmlNode> Nodes;
  std::vector<TXmlAttr> Attrs;
  int Root = -1;

  std::string Str(std::size_t Off, std::uint32_t Len) const { return Pool.substr(Off, Len); }
  std::pair<std::size_t, std::uint32_t> Put(const QString& S) {
    const QByteArray B = S.toUtf8();
    const std::size_t Off = Pool.size();
    Pool.append(B.constData(), static_cast<std::size_t>(B.size()));
    return {Off, static_cast<std::uint32_t>(B.size())};
  }
  std::pair<std::size_t, std::uint32_t> Put(const std::string& S) {
    const std::size_t Off = Pool.size();
    Pool += S;
    return {Off, static_cast<std::uint32_t>(S.size())};
  }
  int AddChild(int Parent, TXmlNode N) {
    const int Id = static_cast<int>(Nodes.size());
    Nodes.push_back(N);
    if (Parent >= 0) {
      TXmlNode& P = Nodes[static_cast<std::size_t>(Parent)];
      if (P.LastChild >= 0)
        Nodes[static_cast<std::size_t>(P.LastChild)].Next = Id;
      else
        P.FirstChild = Id;
      P.LastChild = Id;
      ++P.ChildCount;
    }
    return Id;
  }
  // The text of every text below (and at) node Id, in document order.
  std::string TextOf(int Id) const {
    std::string Out;
    std::vector<int> Stack{Id};
    while (!Stack.empty()) {
      const TXmlNode& N = Nodes[static_cast<std::size_t>(Stack.back())];
      Stack.pop_back();
      if (N.Kind != nkElement) {
        Out.append(Pool, N.StrOff, N.StrLen);
        continue;
      }
      const std::size_t Mark = Stack.size();
      for (int C = N.FirstChild; C >= 0; C = Nodes[static_cast<std::size_t>(C)].Next) Stack.push_back(C);
      std::reverse(Stack.begin() + static_cast<std::ptrdiff_t>(Mark), Stack.end());
    }
    return Out;
  }
};

using TTreeRef = std::shared_ptr<const TXmlTree>;

bool Is(const AnsiString& Name, const char* Lower) { return LowerCase(Name) == Lower; }

bool WhitespaceOnly(const std::string& S) { return S.find_first_not_of(" \t\r\n") == std::string::npos; }

class TAttrObject : public TAutoObject {
public:
  TAttrObject(TTreeRef T, int Index) : FTree(std::move(T)), FIndex(Index) {}
  Variant Invoke(const AnsiString& Name, TInvokeKind, const TDispatchArgs&) override {
    const TXmlAttr& A = FTree->Attrs[static_cast<std::size_t>(FIndex)];
    if (Is(Name, "nodename")) return FTree->Str(A.NameOff, A.NameLen);
    if (Is(Name, "text") || Is(Name, "nodevalue")) return FTree->Str(A.ValueOff, A.ValueLen);
    if (Is(Name, "attributes")) return Variant::Null();
    UnknownName(Name);
  }

private:
  TTreeRef FTree;
  int FIndex;
};

Variant NodeObject(const TTreeRef& T, int Id);

class TAttrListObject : public TAutoObject {
public:
  TAttrListObject(TTreeRef T, int First, int Count) : FTree(std::move(T)), FFirst(First), FCount(Count) {}
  Variant Invoke(const AnsiString& Name, TInvokeKind, const TDispatchArgs& Args) override {
    if (Is(Name, "length")) return FCount;
    if (Is(Name, "item")) {
      const Int64 I = Arg(Args, 0).AsInt64();
      if (I < 0 || I >= FCount) return Variant::Null();
      return Variant(new TAttrObject(FTree, FFirst + static_cast<int>(I)));
    }
    UnknownName(Name);
  }

private:
  TTreeRef FTree;
  int FFirst, FCount;
};

class TNodeListObject : public TAutoObject {
public:
  TNodeListObject(TTreeRef T, std::vector<int> Ids) : FTree(std::move(T)), FIds(std::move(Ids)) {}
  Variant Invoke(const AnsiString& Name, TInvokeKind, const TDispatchArgs& Args) override {
    if (Is(Name, "length")) return static_cast<int>(FIds.size());
    if (Is(Name, "item")) {
      const Int64 I = Arg(Args, 0).AsInt64();
      if (I < 0 || I >= static_cast<Int64>(FIds.size())) return Variant::Null();
      return NodeObject(FTree, FIds[static_cast<std::size_t>(I)]);
    }
    UnknownName(Name);
  }

private:
  TTreeRef FTree;
  std::vector<int> FIds;
};

class TNodeObject : public TAutoObject {
public:
  TNodeObject(TTreeRef T, int Id) : FTree(std::move(T)), FId(Id) {}
  Variant Invoke(const AnsiString& Name, TInvokeKind, const TDispatchArgs&) override {
    const TXmlNode& N = FTree->Nodes[static_cast<std::size_t>(FId)];
    if (Is(Name, "nodename")) {
      if (N.Kind == nkText) return "#text";
      if (N.Kind == nkCData) return "#cdata-section";
      return FTree->Str(N.StrOff, N.StrLen);
    }
    if (Is(Name, "text")) return FTree->TextOf(FId);
    if (Is(Name, "nodevalue")) return N.Kind == nkElement ? Variant::Null() : Variant(FTree->Str(N.StrOff, N.StrLen));
    if (Is(Name, "childnodes")) {
      std::vector<int> Ids;
      Ids.reserve(static_cast<std::size_t>(N.ChildCount));
      for (int C = N.FirstChild; C >= 0; C = FTree->Nodes[static_cast<std::size_t>(C)].Next) Ids.push_back(C);
      return Variant(new TNodeListObject(FTree, std::move(Ids)));
    }
    if (Is(Name, "attributes")) {
      if (N.Kind != nkElement) return Variant::Null();
      return Variant(new TAttrListObject(FTree, N.AttrFirst, N.AttrCount));
    }
    UnknownName(Name);
  }

private:
  TTreeRef FTree;
  int FId;
};

Variant NodeObject(const TTreeRef& T, int Id) { return Variant(new TNodeObject(T, Id)); }

class TParseErrorObject : public TAutoObject {
public:
  TParseErrorObject(int Code, Int64 Line, Int64 Pos, AnsiString Reason)
      : FCode(Code), FLine(Line), FPos(Pos), FReason(std::move(Reason)) {}
  Variant Invoke(const AnsiString& Name, TInvokeKind, const TDispatchArgs&) override {
    if (Is(Name, "errorcode")) return FCode;
    if (Is(Name, "line")) return FLine;
    if (Is(Name, "linepos")) return FPos;
    if (Is(Name, "reason")) return FReason;
    UnknownName(Name);
  }

private:
  int FCode;
  Int64 FLine, FPos;
  AnsiString FReason;
};

// Error codes of the parse error object.
constexpr int ErrFileUnreadable = 1;
constexpr int ErrNoDocumentElement = 2;
constexpr int ErrParserBase = 10;  // plus Qt's reader error

class TXMLDocument : public TAutoObject {
public:
  Variant Invoke(const AnsiString& Name, TInvokeKind Kind, const TDispatchArgs& Args) override {
    if (Is(Name, "load")) return Load(Arg(Args, 0).AsString());
    if (Is(Name, "parseerror")) return Variant(new TParseErrorObject(FCode, FLine, FPos, FReason));
    if (Is(Name, "documentelement")) {
      if (!FTree || FTree->Root < 0) return Variant::Null();
      return NodeObject(FTree, FTree->Root);
    }
    if (Is(Name, "async")) {
      if (Kind == ikPropertyPut) return Variant();
      return false;
    }
    UnknownName(Name);
  }

private:
  bool Fail(int Code, Int64 Line, Int64 Pos, AnsiString Reason) {
    FTree.reset();
    FCode = Code;
    FLine = Line;
    FPos = Pos;
    FReason = std::move(Reason);
    return false;
  }

  bool Load(const AnsiString& FileName) {
    std::ifstream F(FileName, std::ios::binary);
    if (!F) return Fail(ErrFileUnreadable, 0, 0, "The system cannot locate the object specified.");
    const std::string Bytes((std::istreambuf_iterator<char>(F)), std::istreambuf_iterator<char>());
    if (F.bad()) return Fail(ErrFileUnreadable, 0, 0, "The file cannot be read.");
    auto Tree = std::make_shared<TXmlTree>();
    // Names and texts never outgrow the file: reserving once spares the
    // copies of growing. Nodes get a typical share (a field line of some
    // 30 bytes makes two) and grow beyond it.
    Tree->Pool.reserve(Bytes.size());
    Tree->Nodes.reserve(Bytes.size() / 16 + 1);
    QXmlStreamReader R(QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size())));
    std::vector<int> Open;
    std::string Pending;
    bool PendingCData = false;
    auto Flush = [&] {
      if (!Open.empty() && !Pending.empty() && !WhitespaceOnly(Pending)) {
        TXmlNode N;
        N.Kind = PendingCData ? nkCData : nkText;
        std::tie(N.StrOff, N.StrLen) = Tree->Put(Pending);
        Tree->AddChild(Open.back(), N);
      }
      Pending.clear();
      PendingCData = false;
    };
    while (!R.atEnd()) {
      switch (R.readNext()) {
        case QXmlStreamReader::StartElement: {
          Flush();
          TXmlNode N;
          std::tie(N.StrOff, N.StrLen) = Tree->Put(R.qualifiedName().toString());
          N.AttrFirst = static_cast<int>(Tree->Attrs.size());
          for (const QXmlStreamAttribute& A : R.attributes()) {
            TXmlAttr X{};
            std::tie(X.NameOff, X.NameLen) = Tree->Put(A.qualifiedName().toString());
            std::tie(X.ValueOff, X.ValueLen) = Tree->Put(A.value().toString());
            Tree->Attrs.push_back(X);
          }
          N.AttrCount = static_cast<int>(Tree->Attrs.size()) - N.AttrFirst;
          const int Id = Tree->AddChild(Open.empty() ? -1 : Open.back(), N);
          if (Open.empty()) Tree->Root = Id;
          Open.push_back(Id);
          break;
        }
        case QXmlStreamReader::EndElement:
          Flush();
          if (!Open.empty()) Open.pop_back();
          break;
        case QXmlStreamReader::Characters:
          if (!Open.empty()) {
            const QByteArray T = R.text().toUtf8();
            Pending.append(T.constData(), static_cast<std::size_t>(T.size()));
            if (R.isCDATA()) PendingCData = true;
          }
          break;
        default:
          break;
      }
    }
    if (R.hasError())
      return Fail(ErrParserBase + static_cast<int>(R.error()), R.lineNumber(), R.columnNumber(),
                  R.errorString().toStdString());
    if (Tree->Root < 0) return Fail(ErrNoDocumentElement, R.lineNumber(), 0, "The document has no element.");
    FTree = std::move(Tree);
    FCode = 0;
    FLine = FPos = 0;
    FReason.clear();
    return true;
  }

  TTreeRef FTree;
  int FCode = 0;
  Int64 FLine = 0, FPos = 0;
  AnsiString FReason;
};

}  // namespace

Variant CreateXMLDocumentObject() { return Variant(new TXMLDocument); }
