#include "uninstall/self_removal.h"

// The temporary copy is not started yet: the uninstaller ends with nothing removed.
void StartSelfRemoval() {}
