#pragma once

// What this process is, chosen once by the entry.
enum class RunMode {
  Install,     // the installer: hands over to the setup flow
  Uninstall,   // the uninstaller: starts its temporary copy
  SelfRemove,  // the temporary copy: removes the installation and the uninstaller
};
