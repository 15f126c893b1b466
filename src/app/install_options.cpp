#include "app/install_options.h"

#include "platform/text.h"

NewInstallOptions ReadNewInstallOptions(const std::vector<std::string>& args,
                                        const std::function<bool(const std::string&)>& exists) {
  NewInstallOptions options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-instdir" && i + 1 < args.size()) {
      options.parentFolder = args[i + 1];
      if (!exists(options.parentFolder)) {
        options.parentFolder.clear();
      } else if (options.parentFolder.back() == '\\' || options.parentFolder.back() == '/') {
        options.parentFolder.pop_back();
      }
      continue;
    }
    if (platform::EqualsIgnoreCaseAscii(arg, "-runafter")) {
      options.runAfter = true;
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-allusers")) {
      options.allUsers = true;
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-autostart")) {
      options.autoStart = true;
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-nodeskico")) {
      options.noDesktopIcon = true;
    }
  }
  return options;
}
