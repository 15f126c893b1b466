// Children on Windows: the program file itself, started with CreateProcessA.
#include <windows.h>

#include "child_process.h"

namespace test_support {

namespace {

// A host path under Wine is reached through drive Z:.
std::string WindowsPathOf(std::string path) {
  if (!path.empty() && path[0] == '/') {
    for (char& c : path) c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
  return path;
}

std::string Quoted(const std::string& text) {
  if (!text.empty() && text.find_first_of(" \t\"") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

class WindowsChild : public ChildProcess {
 public:
  explicit WindowsChild(const PROCESS_INFORMATION& started) : process_(started.hProcess), id_(started.dwProcessId) {}
  ~WindowsChild() override {
    if (::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_, 1);
      ::WaitForSingleObject(process_, 10000);
    }
    ::CloseHandle(process_);
  }
  std::uint32_t Id() const override { return id_; }
  bool WaitForEnd(unsigned timeoutMs) override { return ::WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }

 private:
  HANDLE process_;
  std::uint32_t id_;
};

}  // namespace

std::unique_ptr<ChildProcess> ChildProcess::Start(const std::string& hostProgram, const std::string&,
                                                  const std::vector<std::string>& args) {
  const std::string program = WindowsPathOf(hostProgram);
  std::string commandLine = Quoted(program);
  for (const std::string& arg : args) commandLine += " " + Quoted(arg);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
    return nullptr;
  }
  ::CloseHandle(started.hThread);
  return std::make_unique<WindowsChild>(started);
}

std::string ThisProgram() {
  char path[MAX_PATH + 1] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

}  // namespace test_support
