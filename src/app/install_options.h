#pragma once
// The command-line options of a new installation.
#include <functional>
#include <string>
#include <vector>

struct NewInstallOptions {
  std::string parentFolder;  // "-instdir": the folder the installation folder goes into; "" for the default
  bool runAfter = false;     // "-runafter"
  bool allUsers = false;     // "-allusers"
  bool autoStart = false;    // "-autostart"
  bool noDesktopIcon = false;  // "-nodeskico"
};

// Reads the arguments from position 1 on. "-instdir" (exact case) takes the
// next argument as the parent folder when there is one; a folder for which
// `exists` says no is dropped, one trailing backslash or slash is removed;
// the folder argument is then looked at like any other. The other options
// ignore case; everything else is passed over.
NewInstallOptions ReadNewInstallOptions(const std::vector<std::string>& args,
                                        const std::function<bool(const std::string&)>& exists);
