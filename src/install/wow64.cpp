#include "install/wow64.h"

#include "platform/library.h"

namespace {
platform::Wow64Query TheQuery() {
  static const platform::Wow64Query query = platform::FindWow64Query();
  return query;
}
}  // namespace

void LookUpWow64Query() { TheQuery(); }

bool IsRunningUnderWow64() { return platform::AskWow64Query(TheQuery()); }
