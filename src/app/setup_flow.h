#pragma once

// Drives one installation once the entry has chosen install mode and closed
// the running copies: discovery, the questions, the wizard or the silent
// installation, and the closing actions. 0 when it went to its end, 1 when
// the user stopped it.
int RunSetupFlow();
