#pragma once
// The one instance registry of this process. Built during static
// initialisation, so that the process is registered before its start-up
// code runs; torn down at the orderly end of the process (a return from
// main or exit()), which takes the process out of the list again. A process
// that is killed or ends at once stays listed.
#include "instances/instance_manager.h"

COXInstanceManager& TheInstanceManager();
