// Variants, arrays and late-bound calls through the server registry, with
// the scripted test server standing in for an outside one.
#include <gtest/gtest.h>

#include "platform/ole/comobj.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/scripted_automation.h"

TEST(OleVariant, TypesAndText) {
  const TDateTime Day = EncodeDate(2024, 3, 5) + EncodeTime(13, 7, 0, 0);
  struct Case {
    Variant V;
    TVarType Type;
    AnsiString Text;
  } Cases[] = {
      {Variant(), varEmpty, ""},
      {Variant::Null(), varNull, ""},
      {Variant(42), varInteger, "42"},
      {Variant(static_cast<Int64>(1) << 40), varInt64, "1099511627776"},
      {Variant(true), varBoolean, "True"},
      {Variant("Привет"), varOleStr, "Привет"},
      {Variant::Date(Day), varDate, DateTimeToStr(Day)},
      {Variant::Error(static_cast<HRESULT>(0x800A07D7u)), varError, ""},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(VarType(C.V), C.Type);
    if (C.Type != varError) {
      EXPECT_EQ(VarToStr(C.V), C.Text) << C.Type;
    }
  }
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_FALSE(VarIsEmpty(Variant("")));
  EXPECT_EQ(Variant(" 12 ").AsInteger(), 12);
  EXPECT_THROW(Variant("x").AsInteger(), EVariantTypeCastError);
  EXPECT_THROW(Variant(1).OlePropertyGet("Name"), EVariantInvalidOpError);
  // Dates follow the format settings.
  const AnsiString Old = FormatSettings.ShortDateFormat;
  FormatSettings.ShortDateFormat = "mm.dd.yyyy";
  EXPECT_EQ(VarToStr(Variant::Date(EncodeDate(2024, 3, 5))), "03.05.2024");
  FormatSettings.ShortDateFormat = Old;
}

TEST(OleVariant, TwoDimensionalArrays) {
  Variant A = VarArrayCreate({0, 2, 1, 4}, varVariant);
  EXPECT_TRUE(VarIsArray(A));
  EXPECT_EQ(VarArrayDimCount(A), 2);
  EXPECT_EQ(VarArrayLowBound(A, 1), 0);
  EXPECT_EQ(VarArrayHighBound(A, 1), 2);
  EXPECT_EQ(VarArrayLowBound(A, 2), 1);
  EXPECT_EQ(VarArrayHighBound(A, 2), 4);
  EXPECT_TRUE(VarIsEmpty(A.GetElement(2, 4)));
  A.PutElement("x", 2, 4);
  const Variant Copy = A;  // a copy keeps the values it was made with
  A.PutElement(7, 2, 4);
  EXPECT_EQ(VarToStr(Copy.GetElement(2, 4)), "x");
  EXPECT_EQ(A.GetElement(2, 4).AsInteger(), 7);
  EXPECT_THROW(A.GetElement(3, 1), EVariantBadIndexError);
  EXPECT_THROW(A.GetElement(0, 0), EVariantBadIndexError);
  EXPECT_THROW(A.GetElement(0), EVariantInvalidOpError);
  EXPECT_THROW(VarToStr(A), EVariantTypeCastError);
}

class OleRegistry : public ::testing::Test {
protected:
  void TearDown() override {
    UnregisterOleServer("test.server");
    UnregisterOleServer("excel.application");
    Script->Reset();
  }
  std::shared_ptr<TAutomationScript> Script = std::make_shared<TAutomationScript>();
};

TEST_F(OleRegistry, OfficeAndDatabaseServersAreNotHere) {
  for (const char* Id : {"excel.application", "word.application", "ADODB.Connection", "ADODB.RecordSet"}) {
    try {
      CreateOleObject(Id);
      ADD_FAILURE() << Id;
    } catch (const EOleSysError& E) {
      EXPECT_EQ(E.ErrorCode, CO_E_CLASSSTRING) << Id;
      EXPECT_EQ(E.Message, "Invalid class string");
    }
    EXPECT_THROW(GetActiveOleObject(Id), EOleSysError) << Id;
  }
  // The XML document server is.
  EXPECT_TRUE(CreateOleObject("microsoft.xmldom").IsDispatch());
}

TEST_F(OleRegistry, CallsByNameWithPositionalAndNamedArguments) {
  Script->Register("Test.Server", "srv");
  Script->Set("srv.Count", 3);
  Script->Raise("srv.Fail", "it broke");
  const Variant S = CreateOleObject("TEST.SERVER");  // identifiers match without case
  EXPECT_EQ(S.OlePropertyGet("Count").AsInteger(), 3);
  const Variant Book = S.OlePropertyGet("Books", 2);
  Book.OlePropertySet("Saved", true);
  Book.OleProcedure("Close", NamedParm("SaveChanges", false));
  S.OleFunction("Range", "A1:B2", 0, NamedParm("what", -1));
  try {
    S.OleProcedure("Fail");
    ADD_FAILURE();
  } catch (const EOleException& E) {
    EXPECT_EQ(E.Message, "it broke");
    EXPECT_EQ(E.ErrorCode, DISP_E_EXCEPTION);
  }
  const std::vector<std::string> Want = {
      "create Test.Server",
      "get srv.Count",
      "get srv.Books(2)",
      "put srv.Books.Saved = true",
      "call srv.Books.Close(SaveChanges:=false)",
      "call srv.Range(\"A1:B2\", 0, what:=-1)",
      "call srv.Fail",
  };
  EXPECT_EQ(Script->Log, Want);
}

TEST_F(OleRegistry, RunningInstances) {
  Script->Register("excel.application", "excel");
  try {
    GetActiveOleObject("excel.application");
    ADD_FAILURE();
  } catch (const EOleSysError& E) {
    EXPECT_EQ(E.ErrorCode, MK_E_UNAVAILABLE);
  }
  Script->RegisterRunning("excel.application", "running");
  const Variant A = GetActiveOleObject("Excel.Application");
  EXPECT_EQ(A.AsDispatch(), GetActiveOleObject("excel.application").AsDispatch());
  RevokeActiveObject("excel.application");
  EXPECT_THROW(GetActiveOleObject("excel.application"), EOleSysError);
  // A copy held by the caller outlives the revocation.
  A.OleProcedure("Quit");
  EXPECT_EQ(Script->Log.back(), "call running.Quit");
}
