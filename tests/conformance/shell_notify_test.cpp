// Notices to the shell: given once per call, whatever the shell makes of them.
#include "fixture.h"
#include "platform/shell_notify.h"

namespace conformance {
namespace {

class ShellNotifyTest : public WithScratch<::testing::Test> {};

TEST_F(ShellNotifyTest, EachCallGivesOneAssociationNotice) {
  const int before = AssociationNoticesGiven();
  platform::NotifyAssociationsChanged();
  platform::NotifyAssociationsChanged();
  const int after = AssociationNoticesGiven();
  if (before < 0) GTEST_SKIP() << "the shell's notices can't be counted here";
  EXPECT_EQ(after - before, 2);
}

}  // namespace
}  // namespace conformance
