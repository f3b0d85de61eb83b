// A test automation server: every call on its objects goes to one log, with
// its arguments; answers come from a script keyed by the member's path
// ("excel.WorkBooks.Count"). An unscripted get or method answers a new
// object whose path is the member's; puts keep their last value.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ole/comobj.h"

class TAutomationScript : public std::enable_shared_from_this<TAutomationScript> {
public:
  using TAnswer = std::function<Variant(const TDispatchArgs&)>;

  std::vector<std::string> Log;
  std::map<std::string, TAnswer> Answers;
  std::map<std::string, Variant> Puts;  // the last value put, by path

  // Objects kept in the answers and puts hold the script: a test drops
  // them at its end.
  void Reset() {
    Answers.clear();
    Puts.clear();
  }
  void Set(const std::string& Key, const Variant& Value) {
    Answers[Key] = [Value](const TDispatchArgs&) { return Value; };
  }
  void Raise(const std::string& Key, const std::string& Message) {
    Answers[Key] = [Message](const TDispatchArgs&) -> Variant {
      throw EOleException(Message, DISP_E_EXCEPTION, "test server");
    };
  }
  Variant Object(const std::string& Path);
  // Registers ProgID: each creation logs "create ProgID" and answers a new
  // object named Root.
  void Register(const std::string& ProgID, const std::string& Root) {
    auto Self = shared_from_this();
    RegisterOleServer(ProgID, [Self, ProgID, Root] {
      Self->Log.push_back("create " + ProgID);
      return Self->Object(Root);
    });
  }
  // A running instance named Root.
  void RegisterRunning(const std::string& ProgID, const std::string& Root) {
    RegisterActiveObject(ProgID, Object(Root));
  }

  static std::string Shown(const Variant& V);
  static std::string Shown(const TDispatchArgs& A) {
    std::string S;
    for (const Variant& V : A.Positional) S += (S.empty() ? "" : ", ") + Shown(V);
    for (const TNamedParm& P : A.Named) S += (S.empty() ? "" : ", ") + P.Name + ":=" + Shown(P.Value);
    return S;
  }
};

class TScriptedObject : public TAutoObject {
public:
  TScriptedObject(std::shared_ptr<TAutomationScript> Script, std::string Path)
      : FScript(std::move(Script)), FPath(std::move(Path)) {}
  const std::string& Path() const { return FPath; }

  Variant Invoke(const AnsiString& Name, TInvokeKind Kind, const TDispatchArgs& Args) override {
    const std::string Key = FPath + "." + Name;
    TDispatchArgs Shown = Args;
    Variant Value;
    if (Kind == ikPropertyPut && !Shown.Positional.empty()) {
      Value = Shown.Positional.back();
      Shown.Positional.pop_back();
    }
    std::string Line = (Kind == ikPropertyGet ? "get " : Kind == ikPropertyPut ? "put " : "call ") + Key;
    if (!Shown.Positional.empty() || !Shown.Named.empty()) Line += "(" + TAutomationScript::Shown(Shown) + ")";
    if (Kind == ikPropertyPut) Line += " = " + TAutomationScript::Shown(Value);
    FScript->Log.push_back(Line);
    auto It = FScript->Answers.find(Key);
    if (It != FScript->Answers.end()) return It->second(Args);
    if (Kind == ikPropertyPut) {
      FScript->Puts[Key] = Value;
      return Variant();
    }
    return FScript->Object(Key);
  }

private:
  std::shared_ptr<TAutomationScript> FScript;
  std::string FPath;
};

inline Variant TAutomationScript::Object(const std::string& Path) {
  return Variant(new TScriptedObject(shared_from_this(), Path));
}

inline std::string TAutomationScript::Shown(const Variant& V) {
  if (VarIsArray(V)) {
    std::string S = "array";
    for (int D = 1; D <= VarArrayDimCount(V); ++D)
      S += "[" + std::to_string(VarArrayLowBound(V, D)) + ".." + std::to_string(VarArrayHighBound(V, D)) + "]";
    return S;
  }
  switch (VarType(V)) {
    case varEmpty: return "empty";
    case varNull: return "null";
    case varBoolean: return V.AsBoolean() ? "true" : "false";
    case varOleStr: return "\"" + V.AsString() + "\"";
    case varError: return "error";
    case varDispatch:
      if (auto* O = dynamic_cast<TScriptedObject*>(V.AsDispatch())) return "<" + O->Path() + ">";
      return "<object>";
    default: return VarToStr(V);
  }
}
