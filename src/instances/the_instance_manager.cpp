#include "instances/the_instance_manager.h"

#include "instances/close_instances.h"

namespace {
COXInstanceManager theInstanceManager;
}  // namespace

COXInstanceManager& TheInstanceManager() { return theInstanceManager; }

void CloseRunningInstances(int otherCount) { CloseRunningInstances(theInstanceManager, otherCount); }
