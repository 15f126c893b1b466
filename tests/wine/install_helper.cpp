// What the installation scenarios under Wine need of a Windows program:
//
//   install_helper.exe open ADDRESS   the program the prefix opens web addresses with
//   install_helper.exe hold-open PATH holds PATH open, sharing nothing, until ended
//   install_helper.exe hold-running   runs until ended (its own file is then in use)
//   install_helper.exe [ANYTHING]     the product's stand-in: notes that it was started
//
// Built with the product's version resource, so that it can stand in for
// Ptav6.exe in a package. What it notes goes to C:\ptvtest\events.txt, one
// line each, as the emulated machine's transcript tells it: "opened
// ADDRESS" and "started FILE: COMMAND LINE (in FOLDER)". The holding modes
// print "holding" once the file is held.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Note(const std::string& line) {
  HANDLE file = CreateFileA("C:\\ptvtest\\events.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

[[noreturn]] void HoldOn() {
  std::printf("holding\n");
  std::fflush(stdout);
  for (;;) Sleep(60000);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "open") == 0) {
    Note(std::string("opened ") + argv[2]);
    return 0;
  }
  if (argc >= 3 && std::strcmp(argv[1], "hold-open") == 0) {
    HANDLE file = CreateFileA(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      std::printf("cannot hold %s: error %lu\n", argv[2], GetLastError());
      return 1;
    }
    HoldOn();
  }
  if (argc >= 2 && std::strcmp(argv[1], "hold-running") == 0) HoldOn();
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  Note(std::string("started ") + module + ": " + GetCommandLineA() + " (in " + folder + ")");
  return 0;
}
