#include "platform/emulated/machine/operator.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/emulated/machine/internal/basics.h"
#include "platform/emulated/machine/internal/file_lock.h"

namespace emu {

namespace {

// An open file descriptor with an exclusive flock, both let go on scope exit.
class LockedFile {
 public:
  LockedFile(const std::string& path, int flags) : fd_(open(path.c_str(), flags | O_CLOEXEC, 0666)) {
    if (fd_ < 0) return;
    int locked;
    do {
      locked = flock(fd_, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~LockedFile() {
    if (fd_ >= 0) close(fd_);
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  int fd() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::vector<std::string> NonBlankLines(const std::string& content) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    const std::string line = internal::Trimmed(content.substr(start, end - start));
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string QueueLockPath(const std::string& machine) { return OperatorQueuePath(machine) + ".lock"; }

bool ReadQueue(const std::string& machine, std::string& content) {
  return internal::ReadHostFile(OperatorQueuePath(machine), content);
}

// The queue outlives its processes; it need not outlive the host, so it is not flushed.
bool ReplaceQueue(const std::string& machine, const std::string& text, std::string& error) {
  return internal::ReplaceHostFile(OperatorQueuePath(machine), text, error);
}

}  // namespace

bool ParseOperatorAnswer(const std::string& word, OperatorAnswer& answer) {
  std::string lower = internal::Trimmed(word);
  for (char& c : lower) c = internal::AsciiLower(c);
  if (lower == "ok") {
    answer = OperatorAnswer::Ok;
  } else if (lower == "cancel") {
    answer = OperatorAnswer::Cancel;
  } else if (lower == "yes") {
    answer = OperatorAnswer::Yes;
  } else if (lower == "no") {
    answer = OperatorAnswer::No;
  } else {
    return false;
  }
  return true;
}

const char* OperatorAnswerName(OperatorAnswer answer) {
  switch (answer) {
    case OperatorAnswer::Ok:
      return "ok";
    case OperatorAnswer::Cancel:
      return "cancel";
    case OperatorAnswer::Yes:
      return "yes";
    case OperatorAnswer::No:
      return "no";
  }
  return "?";
}

std::string OperatorQueuePath(const std::string& machine) { return machine + "/operator/answers"; }
std::string TranscriptPath(const std::string& machine) { return machine + "/transcript.txt"; }

// The queue changes under a lock of its own, and each change writes the
// whole new queue and puts it in place with one rename: a process that
// dies at any moment leaves the old queue or the new one.
TakeResult TakeOperatorAnswer(const std::string& machine, std::string& answer) {
  internal::FileLock lock(QueueLockPath(machine), internal::FileLock::Exclusive);
  std::string content;
  if (!ReadQueue(machine, content)) return errno == ENOENT ? TakeResult::Empty : TakeResult::Failed;
  if (!lock.Locked()) return TakeResult::Failed;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const std::size_t next = end == std::string::npos ? content.size() : end + 1;
    if (end == std::string::npos) end = content.size();
    const std::string line = internal::Trimmed(content.substr(start, end - start));
    if (!line.empty()) {
      std::string problem;
      if (!ReplaceQueue(machine, content.substr(next), problem)) return TakeResult::Failed;
      answer = line;
      return TakeResult::Taken;
    }
    start = next;
  }
  return TakeResult::Empty;
}

bool AddOperatorAnswers(const std::string& machine, const std::vector<std::string>& answers,
                        std::string& error) {
  const std::string folder = machine + "/operator";
  if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
    error = "cannot create " + folder + ": " + std::strerror(errno);
    return false;
  }
  internal::FileLock lock(QueueLockPath(machine), internal::FileLock::Exclusive);
  std::string text;
  if (!lock.Locked() || (!ReadQueue(machine, text) && errno != ENOENT)) {
    error = "cannot read " + OperatorQueuePath(machine) + ": " + std::strerror(errno);
    return false;
  }
  if (!text.empty() && text.back() != '\n') text += '\n';
  for (const std::string& answer : answers) text += answer + "\n";
  return ReplaceQueue(machine, text, error);
}

bool ClearOperatorAnswers(const std::string& machine, std::string& error) {
  internal::FileLock lock(QueueLockPath(machine), internal::FileLock::Exclusive);
  std::string text;
  if (!ReadQueue(machine, text)) {
    if (errno == ENOENT) return true;
    error = "cannot read " + OperatorQueuePath(machine) + ": " + std::strerror(errno);
    return false;
  }
  return ReplaceQueue(machine, "", error);
}

std::vector<std::string> PendingOperatorAnswers(const std::string& machine) {
  std::string content;
  if (!ReadQueue(machine, content)) return {};
  return NonBlankLines(content);
}

bool AppendToTranscript(const std::string& machine, const std::string& block) {
  LockedFile transcript(TranscriptPath(machine), O_WRONLY | O_CREAT | O_APPEND);
  return transcript.ok() && internal::WriteAll(transcript.fd(), block);
}

__attribute__((weak)) std::string DescribeOwnerWindow(platform::WindowHandle owner) {
  if (owner == nullptr) return "none";
  std::ostringstream out;
  out << "window " << static_cast<const void*>(owner);
  return out.str();
}

}  // namespace emu
