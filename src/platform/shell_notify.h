#pragma once
// Notices to the shell about changes it should pick up.

namespace platform {

// SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, NULL, NULL): file type
// associations have changed, so the shell refreshes what it shows for them.
void NotifyAssociationsChanged();

}  // namespace platform
