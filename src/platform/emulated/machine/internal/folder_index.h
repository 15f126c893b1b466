#pragma once
// Finding a name in a host folder without regard to case.
#include <string>

namespace emu {
namespace internal {

// The name in `folder` that equals `name` without regard to case; "" when
// there is none.
std::string FindNameInFolder(const std::string& folder, const std::string& name);

// Drops what is known about folders (the code page, which decides what
// "without regard to case" means, may have changed).
void ForgetFolderIndex();

}  // namespace internal
}  // namespace emu
