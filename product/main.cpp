// The stand-in Pictavo 6 program: it registers in the instance registry,
// opens its main window (with an owned options window and a floating tool
// window beside it), records the registry's notices and the close request it
// receives, and ends when its main window is asked to close.
//
//   Ptav6.exe [-document NAME] [-title TEXT] [-log FILE] [-nowindow] [-takeimages]
//
//   -document NAME  the document name in the main window's title ("Untitled")
//   -title TEXT     the main window's whole title instead
//   -log FILE       append what it receives to FILE, one line each:
//                   "ready <id>" once its windows are open, "added <id>" and
//                   "removed <id>" for the registry's notices, "close <wParam>"
//   -nowindow       open no windows at all (it stays registered until killed)
//   -takeimages     take over the image file types before opening the windows
#include <string>
#include <vector>

#include "instances/instance_block.h"
#include "instances/the_instance_manager.h"
#include "platform/command_line.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/process_control.h"
#include "platform/text.h"
#include "platform/window.h"
#include "product_settings.h"

namespace {

struct Options {
  std::string document = "Untitled";
  std::string title;
  bool titleGiven = false;
  std::string log;
  bool windows = true;
  bool takeImages = false;
};

Options ReadOptions(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (platform::EqualsIgnoreCaseAscii(arg, "-document") && hasValue) {
      options.document = args[++i];
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-title") && hasValue) {
      options.title = args[++i];
      options.titleGiven = true;
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-log") && hasValue) {
      options.log = args[++i];
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-nowindow")) {
      options.windows = false;
    } else if (platform::EqualsIgnoreCaseAscii(arg, "-takeimages")) {
      options.takeImages = true;
    }
  }
  return options;
}

// One line per event, written at once: the setup ends this process 10 ms
// after its close request, and what was written must be there.
void Record(const Options& options, const std::string& line) {
  if (!options.log.empty()) platform::AppendToFile(options.log, line + "\r\n");
}

}  // namespace

int main() {
  // The registry is built before main: this process is registered already.
  TheInstanceManager();
  const Options options = ReadOptions(platform::SplitCommandLine(platform::CommandLine()));
  KeepProductSettings(options.document);
  if (options.takeImages) TakeOverImageTypes();

  const std::string self = std::to_string(platform::CurrentProcessId());
  if (!options.windows) {
    Record(options, "ready " + self);
    for (;;) platform::SleepMilliseconds(60000);
  }
  const std::string title = options.titleGiven ? options.title : "Pictavo 6 - " + options.document;
  platform::WindowHandle main =
      platform::CreatePlainWindow(title, platform::kWsOverlappedWindow | platform::kWsVisible, 0, nullptr);
  if (main == nullptr) return 1;
  // Windows that the setup must pass by: both come after the main window in
  // the walk's order, and both have titles that begin like the main one's.
  platform::CreatePlainWindow("Pictavo 6 - Options", platform::kWsPopup | platform::kWsVisible, 0, main);
  platform::CreatePlainWindow("Pictavo Tools", platform::kWsPopup | platform::kWsVisible, platform::kWsExToolWindow,
                              nullptr);
  Record(options, "ready " + self);

  platform::WindowMessage message;
  while (platform::WaitForWindowMessage(message)) {
    if (message.message == InstanceAddedMessage) {
      Record(options, "added " + std::to_string(message.lParam));
    } else if (message.message == InstanceRemovedMessage) {
      Record(options, "removed " + std::to_string(message.lParam));
    } else if (message.message == platform::kWmClose && message.window == main) {
      Record(options, "close " + std::to_string(message.wParam));
      break;
    }
    platform::DispatchWindowMessage(message);
  }
  platform::DestroyPlainWindow(main);
  // The orderly end: the registry's teardown takes this process out.
  return 0;
}
