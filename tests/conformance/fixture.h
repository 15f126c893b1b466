#pragma once
// Shared pieces of the conformance cases: a fresh scratch folder per case
// and a few shorthands on top of the platform layer.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/errors.h"
#include "platform/files.h"
#include "support.h"

namespace conformance {

// Table rows carry a `name` that becomes the case's name in the report.
struct CaseName {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return info.param.name;
  }
};

// Failure reports name a table row by its name rather than by its bytes.
// The tables live in unnamed namespaces, where argument-dependent lookup
// looks for this.
namespace {
template <typename Case>
auto operator<<(std::ostream& os, const Case& c) -> decltype(c.name, os) {
  return os << c.name;
}
}  // namespace

template <typename Base, Account kAccount = Account::Runner>
class WithScratch : public Base {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch_.folder().empty()) << "no scratch folder could be made";
  }
  std::string At(const std::string& name) const { return scratch_.Path(name); }
  // Creates (or replaces) a file; fails the case when that isn't possible.
  void MakeFile(const std::string& name, const std::string& content) {
    ASSERT_TRUE(platform::WriteWholeFile(At(name), content))
        << name << ": error " << platform::LastError();
  }
  void MakeFolder(const std::string& name) {
    ASSERT_TRUE(platform::CreateFolder(At(name))) << name << ": error " << platform::LastError();
  }
  std::string Content(const std::string& name) const {
    std::string content;
    if (!platform::ReadWholeFile(At(name), content)) return "<unreadable>";
    return content;
  }

  Scratch scratch_{kAccount};
};

using ScratchTest = WithScratch<::testing::Test>;
template <typename Param>
using ScratchTestWithParam = WithScratch<::testing::TestWithParam<Param>>;

}  // namespace conformance
