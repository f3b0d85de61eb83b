#include "platform/rtl/sysbase.h"

#include <gtest/gtest.h>

namespace {
class TSample : public TObject {};
}  // namespace

TEST(TObjectTest, ClassNameIsTheDynamicClassName) {
  TSample s;
  const TObject& o = s;
  EXPECT_EQ(o.ClassName(), "(anonymous namespace)::TSample");
  TObject plain;
  EXPECT_EQ(plain.ClassName(), "TObject");
}

TEST(ExceptionTest, MessageIsWhat) {
  try {
    throw EConvertError("'x' is not a valid integer value");
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    EXPECT_EQ(e.Message, "'x' is not a valid integer value");
  }
}
