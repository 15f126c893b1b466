#pragma once
// Runs the machine tool as its users do and collects what it says.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ToolResult {
  int status = -1;  // the exit status, -1 when it did not exit normally
  std::string out;
  std::string err;
};

// `scratch` is a folder for the captured output.
inline ToolResult RunTool(const std::vector<std::string>& args, const std::string& scratch) {
  const std::string outPath = scratch + "/tool.out";
  const std::string errPath = scratch + "/tool.err";
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> argv = {const_cast<char*>(EMUMACHINE_PROGRAM)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(EMUMACHINE_PROGRAM, argv.data());
    _exit(127);
  }
  ToolResult result;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  result.out = read(outPath);
  result.err = read(errPath);
  return result;
}
