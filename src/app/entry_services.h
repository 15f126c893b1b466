#pragma once
// Everything the entry does to the world outside its own decisions: the
// program file, strings and message boxes, the running copies of the product
// and the three hand-overs. The program uses PlatformEntryServices.
#include <string>

class EntryServices {
 public:
  virtual ~EntryServices() = default;

  // Full path of the running program file, as platform::ProgramPath gives
  // it (a path longer than MAX_PATH allows comes cut).
  virtual std::string ProgramPath() = 0;
  // A string of the string table; "" when it can't be loaded.
  virtual std::string LoadText(unsigned id) = 0;
  // A message box without owner window; the answer (platform/ui.h).
  virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned flags) = 0;

  // Processes in the instance registry, this one included; 0 when unreachable.
  virtual int CountInstances() = 0;
  // Closes the `others` running copies other than this process.
  virtual void CloseRunningInstances(int others) = 0;

  // Hand-overs.
  virtual int RunSetupFlow() = 0;                                     // 0 finished, 1 stopped
  virtual void StartSelfRemoval() = 0;                                // returns only on failure
  virtual void RunSelfRemoval(const std::string& uninstallerPath) = 0;  // ends the process
};
