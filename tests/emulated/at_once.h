#pragma once
// Work done by many processes of one machine at the same moment.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/errors.h"

struct Outcome {
  bool ok = false;
  std::uint32_t error = 0;
};

inline Outcome Result(bool ok) { return {ok, ok ? 0u : platform::LastError()}; }

// Runs each job in a process of its own, all let go at the same moment.
// Every process stays until all have reported, so that what one of them
// holds is still held while the others act.
inline std::vector<Outcome> RunAtOnce(const std::vector<std::function<Outcome()>>& jobs) {
  int start[2];
  int results[2];
  int end[2];
  if (pipe(start) != 0 || pipe(results) != 0 || pipe(end) != 0) return {};
  std::vector<pid_t> children;
  for (std::uint32_t i = 0; i < jobs.size(); ++i) {
    const pid_t pid = fork();
    if (pid == 0) {
      close(start[1]);
      close(results[0]);
      close(end[1]);
      char c;
      if (read(start[0], &c, 1) != 0) _exit(2);
      const Outcome outcome = jobs[i]();
      const std::uint32_t record[3] = {i, outcome.ok ? 1u : 0u, outcome.error};
      if (write(results[1], record, sizeof record) != sizeof record) _exit(2);
      if (read(end[0], &c, 1) != 0) _exit(2);
      _exit(0);
    }
    children.push_back(pid);
  }
  close(start[0]);
  close(results[1]);
  close(end[0]);
  close(start[1]);  // every child starts now
  std::vector<Outcome> outcomes(jobs.size());
  std::uint32_t record[3];
  for (std::size_t n = 0; n < jobs.size() && read(results[0], record, sizeof record) == sizeof record; ++n) {
    outcomes[record[0]] = {record[1] != 0, record[2]};
  }
  close(results[0]);
  close(end[1]);
  for (pid_t pid : children) waitpid(pid, nullptr, 0);
  return outcomes;
}
