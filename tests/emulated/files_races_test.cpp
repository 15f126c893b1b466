// File calls made by many processes of one machine at the same moment: as
// on Windows, a check and the change it allows are one step.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "at_once.h"
#include "files_fixture.h"
#include "platform/emulated/machine/processes.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

class FileRaceTest : public BareMachineTest {};

constexpr int kRounds = 100;
constexpr int kProcesses = 8;

// Eight processes move (or copy without replacing) eight different files
// onto one new name: exactly one wins, every other one learns that the
// name is taken, and no file is lost.
TEST_F(FileRaceTest, OneNewNameHasOneWinner) {
  struct Case {
    const char* name;
    std::function<bool(const std::string&, const std::string&)> call;
    std::uint32_t loserError;
    bool sourceGoes;
  };
  const Case kCases[] = {
      {"move", [](const std::string& a, const std::string& b) { return platform::MoveFileTo(a, b); },
       platform::kErrAlreadyExists, true},
      {"copy without replacing",
       [](const std::string& a, const std::string& b) { return platform::CopyFileTo(a, b, true); },
       platform::kErrFileExists, false},
  };
  for (const Case& c : kCases) {
    int roundsWithOneWinner = 0;
    for (int round = 0; round < kRounds; ++round) {
      MakeHostFolder("race");
      std::vector<std::function<Outcome()>> jobs;
      for (int i = 0; i < kProcesses; ++i) {
        const std::string source = "C:\\race\\source" + std::to_string(i);
        MakeHostFile("race/source" + std::to_string(i), "content " + std::to_string(i));
        jobs.push_back([&c, source] { return Result(c.call(source, "C:\\race\\target")); });
      }
      const std::vector<Outcome> outcomes = RunAtOnce(jobs);
      int winners = 0;
      int winner = -1;
      for (int i = 0; i < kProcesses; ++i) {
        if (outcomes[i].ok) {
          ++winners;
          winner = i;
        } else {
          EXPECT_EQ(outcomes[i].error, c.loserError) << c.name;
        }
        const bool sourceLeft = HostExists(Host("race/source" + std::to_string(i)));
        EXPECT_EQ(sourceLeft, !(outcomes[i].ok && c.sourceGoes)) << c.name << " " << i;
      }
      if (winners == 1) {
        ++roundsWithOneWinner;
        EXPECT_EQ(HostContent(Host("race/target")), "content " + std::to_string(winner)) << c.name;
      }
      std::filesystem::remove_all(Host("race"));
    }
    EXPECT_EQ(roundsWithOneWinner, kRounds) << c.name;
  }
}

// A file that one process takes hold of while another deletes or moves it:
// one of them wins, never both.
TEST_F(FileRaceTest, AHoldAndAChangeNeverBothSucceed) {
  struct Case {
    const char* name;
    std::function<bool(const std::string&)> change;
  };
  const Case kCases[] = {
      {"delete", [](const std::string& path) { return platform::DeleteFileAt(path); }},
      {"move", [](const std::string& path) { return platform::MoveFileTo(path, path + ".moved"); }},
  };
  for (const Case& c : kCases) {
    int bothSucceeded = 0;
    for (int round = 0; round < kRounds; ++round) {
      MakeHostFolder("race");
      std::vector<std::function<Outcome()>> jobs;
      for (int i = 0; i < kProcesses / 2; ++i) {
        const std::string path = "C:\\race\\file" + std::to_string(i);
        MakeHostFile("race/file" + std::to_string(i), "old");
        jobs.push_back([path] {
          // Held until the process ends, after every job has reported.
          static emu::FileHold hold;
          hold = emu::HoldFile(path, emu::HoldKind::Open);
          return Result(hold.Held());
        });
        jobs.push_back([&c, path] { return Result(c.change(path)); });
      }
      const std::vector<Outcome> outcomes = RunAtOnce(jobs);
      for (int i = 0; i < kProcesses / 2; ++i) {
        const Outcome& held = outcomes[2 * i];
        const Outcome& changed = outcomes[2 * i + 1];
        if (held.ok && changed.ok) ++bothSucceeded;
        if (held.ok && !changed.ok) {
          EXPECT_EQ(changed.error, platform::kErrSharingViolation) << c.name;
        }
      }
      std::filesystem::remove_all(Host("race"));
    }
    EXPECT_EQ(bothSucceeded, 0) << c.name;
  }
}

}  // namespace
