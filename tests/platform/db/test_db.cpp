// The data-aware layer: the cursor's ends, editing and its undoing, the
// errors of closed and read-only sets, and what links hear.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/db.h"

namespace {

using Lines = std::vector<std::string>;

class TRecordingLink : public TDataLink {
public:
  Lines Heard;

protected:
  void ActiveChanged() override { Heard.push_back(GetActive() ? "active" : "inactive"); }
  void DataSetChanged() override { Heard.push_back("changed"); }
  void EditingChanged() override { Heard.push_back(GetEditing() ? "editing" : "browsing"); }
};

TMemDataSet* ThreeRows(TComponent* Owner) {
  auto* d = new TMemDataSet(Owner, {"Name", "Value"});
  d->AppendRow({"a", "1"});
  d->AppendRow({"b", "2"});
  d->AppendRow({"c", "3"});
  return d;
}

TEST(DataSet, CursorEnds) {
  TComponent owner(nullptr);
  TMemDataSet* d = ThreeRows(&owner);
  EXPECT_THROW(d->Next(), EDatabaseError);
  d->Open();
  EXPECT_EQ(dsBrowse, d->State());
  EXPECT_EQ("a", d->GetFieldValue("Name"));
  EXPECT_FALSE(d->Eof());
  d->Next();
  d->Next();
  EXPECT_EQ("c", d->GetFieldValue("Name"));
  EXPECT_FALSE(d->Eof());
  d->Next();  // past the last record
  EXPECT_TRUE(d->Eof());
  EXPECT_EQ("c", d->GetFieldValue("Name"));
  d->Prior();
  EXPECT_FALSE(d->Eof());
  d->First();
  EXPECT_TRUE(d->Bof());
  d->Prior();
  EXPECT_TRUE(d->Bof());
  EXPECT_EQ(1, d->GetRecNo());
  d->Last();
  EXPECT_TRUE(d->Eof());
  EXPECT_EQ(3, d->GetRecNo());
  EXPECT_THROW(d->GetFieldValue("Missing"), EDatabaseError);

  TMemDataSet empty(nullptr, {"Name"});
  empty.Open();
  EXPECT_TRUE(empty.Bof());
  EXPECT_TRUE(empty.Eof());
  EXPECT_THROW(empty.Edit(), EDatabaseError);
  EXPECT_THROW(empty.Delete(), EDatabaseError);
}

TEST(DataSet, EditingAndUndoing) {
  TComponent owner(nullptr);
  TMemDataSet* d = ThreeRows(&owner);
  d->Open();
  EXPECT_THROW(d->SetFieldValue("Name", "x"), EDatabaseError);
  EXPECT_THROW(d->Post(), EDatabaseError);
  d->Edit();
  d->SetFieldValue("Name", "x");
  d->Cancel();
  EXPECT_EQ("a", d->GetFieldValue("Name"));
  d->Edit();
  d->SetFieldValue("Name", "x");
  d->Next();  // leaving posts
  d->First();
  EXPECT_EQ("x", d->GetFieldValue("Name"));

  d->Insert();
  EXPECT_EQ(dsInsert, d->State());
  EXPECT_EQ(4, d->GetRecordCount());
  d->Cancel();
  EXPECT_EQ(3, d->GetRecordCount());
  EXPECT_EQ("x", d->GetFieldValue("Name"));
  d->Append();
  d->SetFieldValue("Name", "d");
  d->Post();
  EXPECT_EQ(4, d->GetRecordCount());
  EXPECT_EQ(4, d->GetRecNo());

  d->Delete();
  EXPECT_EQ(3, d->GetRecordCount());
  EXPECT_EQ("c", d->GetFieldValue("Name"));
  d->First();
  d->Delete();
  EXPECT_EQ("b", d->GetFieldValue("Name"));

  d->SetReadOnly(true);
  EXPECT_FALSE(d->CanModify());
  EXPECT_THROW(d->Edit(), EDatabaseError);
  EXPECT_THROW(d->Append(), EDatabaseError);
  EXPECT_THROW(d->Delete(), EDatabaseError);
  d->Close();
  EXPECT_FALSE(d->CanModify());
  EXPECT_THROW(d->Refresh(), EDatabaseError);
}

TEST(DataLink, HearsActiveEditingAndChanges) {
  TComponent owner(nullptr);
  TMemDataSet* d = ThreeRows(&owner);
  auto* src = new TDataSource(&owner);
  TRecordingLink link;
  link.SetDataSource(src);
  EXPECT_FALSE(link.GetActive());
  src->SetDataSet(d);
  EXPECT_FALSE(link.GetActive());  // closed
  d->Open();
  EXPECT_TRUE(link.GetActive());
  d->Next();
  d->Edit();
  EXPECT_TRUE(link.GetEditing());
  d->Post();
  EXPECT_EQ((Lines{"active", "changed", "editing", "browsing", "changed"}), link.Heard);

  link.Heard.clear();
  src->SetEnabled(false);
  EXPECT_FALSE(link.GetActive());
  d->Next();  // a disabled source passes nothing on
  src->SetEnabled(true);
  EXPECT_EQ((Lines{"inactive", "active"}), link.Heard);

  delete d;  // the source lets go of a freed data set
  EXPECT_EQ(nullptr, src->GetDataSet());
  EXPECT_FALSE(link.GetActive());
  EXPECT_EQ(dsInactive, src->GetState());
}

}  // namespace
