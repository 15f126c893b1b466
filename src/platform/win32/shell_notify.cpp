#include "platform/win32/win32_support.h"

#include "platform/shell_notify.h"

namespace platform {

void NotifyAssociationsChanged() { ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }

}  // namespace platform
