#pragma once
// Pieces shared by the commands of the machine tool.
#include <string>
#include <vector>

namespace tool {

using Arguments = std::vector<std::string>;

// Exit statuses of the tool's own results.
constexpr int kExitFailed = 1;  // the command could not do its work
constexpr int kExitUsage = 2;   // the command line is wrong

// Print "emumachine: <message>" on stderr and give the status to exit with.
int Fail(const std::string& message);
int UsageError(const std::string& message);

// Makes the process act on the machine in `folder`; false, with a message
// printed, when there is no machine there.
bool OpenMachine(const std::string& folder);
std::string AbsoluteHostPath(const std::string& path);

// A Windows path as given ("C:\...") or a host path mapped into the machine.
bool IsWindowsPath(const std::string& path);
bool ToMachinePath(const std::string& path, std::string& windowsPath);

bool ReadHostFile(const std::string& path, std::string& content);
bool WriteHostFile(const std::string& path, const std::string& content);

// The commands; each gets the arguments after its name.
int CreateCommand(const Arguments& args);
int RunCommand(const Arguments& args);
int AnswerCommand(const Arguments& args);
int AnswersCommand(const Arguments& args);
int TranscriptCommand(const Arguments& args);
int RegCommand(const Arguments& args);
int HoldCommand(const Arguments& args);
int ListCommand(const Arguments& args);
int ShowCommand(const Arguments& args);
int RestartCommand(const Arguments& args);
int FaultCommand(const Arguments& args);
int ProcessesCommand(const Arguments& args);
int WindowsCommand(const Arguments& args);
int WaitCommand(const Arguments& args);
int SnapshotCommand(const Arguments& args);

}  // namespace tool
