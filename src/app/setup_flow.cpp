#include "app/setup_flow.h"

// Discovery, the wizard and the installation are connected here as they land.
int RunSetupFlow() { return 0; }
