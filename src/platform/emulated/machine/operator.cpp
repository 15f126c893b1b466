#include "platform/emulated/machine/operator.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/emulated/machine/internal/basics.h"

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

TakeResult TakeOperatorAnswer(const std::string& machine, std::string& answer) {
  LockedFile queue(OperatorQueuePath(machine), O_RDWR);
  if (!queue.ok()) return errno == ENOENT ? TakeResult::Empty : TakeResult::Failed;
  std::string content;
  if (!internal::ReadAll(queue.fd(), content)) return TakeResult::Failed;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const std::size_t next = end == std::string::npos ? content.size() : end + 1;
    if (end == std::string::npos) end = content.size();
    const std::string line = internal::Trimmed(content.substr(start, end - start));
    if (!line.empty()) {
      const std::string rest = content.substr(next);
      if (pwrite(queue.fd(), rest.data(), rest.size(), 0) != static_cast<ssize_t>(rest.size()) ||
          ftruncate(queue.fd(), static_cast<off_t>(rest.size())) != 0) {
        return TakeResult::Failed;
      }
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
  LockedFile queue(OperatorQueuePath(machine), O_RDWR | O_CREAT | O_APPEND);
  if (!queue.ok()) {
    error = "cannot open " + OperatorQueuePath(machine) + ": " + std::strerror(errno);
    return false;
  }
  std::string text;
  struct stat info;
  char last = '\n';
  if (fstat(queue.fd(), &info) == 0 && info.st_size > 0) {
    if (pread(queue.fd(), &last, 1, info.st_size - 1) != 1) last = '\n';
  }
  if (last != '\n') text += '\n';
  for (const std::string& answer : answers) text += answer + "\n";
  if (!internal::WriteAll(queue.fd(), text)) {
    error = "cannot write " + OperatorQueuePath(machine) + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

bool ClearOperatorAnswers(const std::string& machine, std::string& error) {
  LockedFile queue(OperatorQueuePath(machine), O_RDWR);
  if (!queue.ok()) {
    if (errno == ENOENT) return true;
    error = "cannot open " + OperatorQueuePath(machine) + ": " + std::strerror(errno);
    return false;
  }
  if (ftruncate(queue.fd(), 0) != 0) {
    error = "cannot clear " + OperatorQueuePath(machine) + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

std::vector<std::string> PendingOperatorAnswers(const std::string& machine) {
  LockedFile queue(OperatorQueuePath(machine), O_RDONLY);
  std::string content;
  if (!queue.ok() || !internal::ReadAll(queue.fd(), content)) return {};
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
