// The fault plan, kept in <machine>/faults.txt: one fault a line,
// "CALL ERROR COUNT PATTERN" (COUNT a number or '*', PATTERN the rest of
// the line, empty for any path). Changes write the whole plan beside it and
// rename it into place, under <machine>/faults.lock.
#include "platform/emulated/machine/faults.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/faults.h"
#include "platform/emulated/machine/internal/file_lock.h"
#include "platform/emulated/machine/internal/last_error.h"
#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/machine.h"

namespace emu {

namespace {

std::string PlanPath() {
  const std::string machine = MachineFolder();
  return machine.empty() ? "" : machine + "/faults.txt";
}

bool ParseCount(const std::string& text, int& count) {
  if (text == "*") {
    count = -1;
    return true;
  }
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 1 || value > 1000000000L) return false;
  count = static_cast<int>(value);
  return true;
}

// A line of the plan; false for one that is no fault (it is dropped).
bool ParseLine(const std::string& line, Fault& fault) {
  const std::size_t first = line.find(' ');
  const std::size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
  if (second == std::string::npos) return false;
  const std::size_t third = line.find(' ', second + 1);
  fault.call = line.substr(0, first);
  const std::string error = line.substr(first + 1, second - first - 1);
  const std::string count =
      line.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
  fault.pattern = third == std::string::npos ? "" : line.substr(third + 1);
  char* end = nullptr;
  fault.error = static_cast<std::uint32_t>(std::strtoul(error.c_str(), &end, 10));
  return !fault.call.empty() && !error.empty() && *end == '\0' && fault.error != 0 && ParseCount(count, fault.count);
}

std::string FormatLine(const Fault& fault) {
  std::string line = fault.call + " " + std::to_string(fault.error) + " " +
                     (fault.count < 0 ? std::string("*") : std::to_string(fault.count));
  if (!fault.pattern.empty()) line += " " + fault.pattern;
  return line + "\n";
}

std::vector<Fault> ReadPlan(const std::string& path) {
  std::vector<Fault> faults;
  std::string text;
  if (!internal::ReadHostFile(path, text)) return faults;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = internal::Trimmed(text.substr(start, end - start), "\r\n");
    Fault fault;
    if (!line.empty() && line[0] != '#' && ParseLine(line, fault)) faults.push_back(fault);
    start = end + 1;
  }
  return faults;
}

bool WritePlan(const std::string& path, const std::vector<Fault>& faults, std::string& error) {
  std::string text;
  for (const Fault& fault : faults) text += FormatLine(fault);
  return internal::ReplaceHostFile(path, text, error);
}

// '*' matches any run of characters, backslashes included, '?' one; ASCII
// letters match without regard to case.
bool Matches(const std::string& text, const std::string& pattern) {
  std::size_t t = 0;
  std::size_t p = 0;
  std::size_t starAt = std::string::npos;
  std::size_t resumeAt = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = t;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || internal::AsciiLower(pattern[p]) == internal::AsciiLower(text[t]))) {
      ++p;
      ++t;
    } else if (starAt != std::string::npos) {
      p = starAt + 1;
      t = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// A file path matches as it was given or as its full path.
bool PathMatches(const std::string& path, const std::string& pattern) {
  if (pattern.empty() || Matches(path, pattern)) return true;
  std::string full;
  return !path.empty() && internal::FullWindowsPath(path, full) && Matches(full, pattern);
}

}  // namespace

bool AddFault(const Fault& fault, std::string& error) {
  const std::string path = PlanPath();
  if (path.empty()) {
    error = "no machine in use";
    return false;
  }
  Fault checked;
  const bool oneLine = fault.call.find_first_of(" \t\r\n") == std::string::npos &&
                       fault.pattern.find_first_of("\r\n") == std::string::npos;
  if (!oneLine || !ParseLine(internal::Trimmed(FormatLine(fault), "\n"), checked)) {
    error = "not a fault: a call, an error other than 0 and a count of at least 1 (or every call) are needed";
    return false;
  }
  internal::FileLock lock(MachineFolder() + "/faults.lock", internal::FileLock::Exclusive);
  std::vector<Fault> faults = ReadPlan(path);
  faults.push_back(fault);
  return WritePlan(path, faults, error);
}

bool ClearFaults(std::string& error) {
  const std::string path = PlanPath();
  if (path.empty()) {
    error = "no machine in use";
    return false;
  }
  internal::FileLock lock(MachineFolder() + "/faults.lock", internal::FileLock::Exclusive);
  if (unlink(path.c_str()) != 0 && errno != ENOENT) {
    error = "cannot remove " + path + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::vector<Fault> PlannedFaults() {
  const std::string path = PlanPath();
  return path.empty() ? std::vector<Fault>() : ReadPlan(path);
}

namespace internal {

std::uint32_t InjectedFault(const char* call, const std::string& path, const std::string& otherPath) {
  const std::string plan = PlanPath();
  struct stat info;
  // Without a plan a call pays one look at the machine folder.
  if (plan.empty() || stat(plan.c_str(), &info) != 0) return 0;
  FileLock lock(MachineFolder() + "/faults.lock", FileLock::Exclusive);
  std::vector<Fault> faults = ReadPlan(plan);
  for (std::size_t i = 0; i < faults.size(); ++i) {
    Fault& fault = faults[i];
    if (fault.call != call) continue;
    if (!PathMatches(path, fault.pattern) && (otherPath.empty() || !PathMatches(otherPath, fault.pattern))) continue;
    const std::uint32_t error = fault.error;
    if (fault.count > 0) {
      // Used up by this call: the plan is written without it, or with one less.
      if (--fault.count == 0) faults.erase(faults.begin() + static_cast<std::ptrdiff_t>(i));
      std::string problem;
      if (!WritePlan(plan, faults, problem)) return 0;
    }
    SetLastError(error);
    return error;
  }
  return 0;
}

}  // namespace internal
}  // namespace emu
