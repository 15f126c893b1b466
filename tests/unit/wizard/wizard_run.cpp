#include "wizard_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/files.h"
#include "temporary_machine.h"
#include "wizard/setup_dlg.h"

namespace wizard_test {

const char kInstallationMark[] = "the installation runs";

namespace {

std::string HostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// What the child reports back, one value a line.
void WriteReport(const std::string& path, int result, int installations, const SetupState& s) {
  std::ofstream out(path, std::ios::binary);
  out << result << "\n" << installations << "\n" << s.m_bRunAfter << "\n" << s.m_bAllUsers << "\n" << s.m_bAutoStart
      << "\n" << s.m_bDeskIcon << "\n" << s.m_strInstDir << "\n" << s.m_strGroup << "\n";
}

void ReadReport(const std::string& path, WizardRun& run) {
  std::istringstream in(HostFile(path));
  std::string line;
  auto next = [&]() {
    std::getline(in, line);
    return line;
  };
  run.result = std::atoi(next().c_str());
  run.installations = std::atoi(next().c_str());
  run.state.m_bRunAfter = std::atoi(next().c_str());
  run.state.m_bAllUsers = std::atoi(next().c_str());
  run.state.m_bAutoStart = std::atoi(next().c_str());
  run.state.m_bDeskIcon = std::atoi(next().c_str());
  run.state.m_strInstDir = next();
  run.state.m_strGroup = next();
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

// "  button 1 "&Next >" default" -> "&Next >" default
std::string AfterName(const std::string& line, const std::string& name) { return line.substr(name.size() + 1); }

void Condense(WizardRun& run) {
  std::istringstream in(run.transcript);
  std::string line;
  WaitView* view = nullptr;
  std::string back, next, cancel, picture, page;
  auto finish = [&]() {
    if (view != nullptr) view->frame += " | " + back + " | " + next + " | " + cancel + " | " + picture + " | " + page;
    view = nullptr;
  };
  bool inBox = false;
  while (std::getline(in, line)) {
    if (inBox && StartsWith(line, "    ")) {
      run.boxes.back() += (run.boxes.back().empty() ? "" : "\n") + line.substr(4);
      continue;
    }
    inBox = false;
    if (line == "message box") {
      finish();
      run.boxes.emplace_back();
      continue;
    }
    if (line == "  text:") {
      inBox = !run.boxes.empty();
      continue;
    }
    if (StartsWith(line, "dialog 103 \"") && line.size() > 6 && line.compare(line.size() - 6, 6, " waits") == 0) {
      finish();
      run.waits.emplace_back();
      view = &run.waits.back();
      const std::string caption = line.substr(12, line.size() - 12 - 7);
      view->frame = caption;
      back = next = cancel = picture = page = "";
      continue;
    }
    if (view == nullptr) continue;
    if (StartsWith(line, "    ")) {
      view->page.push_back(line.substr(4));
    } else if (StartsWith(line, "  button 3 ")) {
      back = AfterName(line, "  button 3");
    } else if (StartsWith(line, "  button 1 ")) {
      next = AfterName(line, "  button 1");
    } else if (StartsWith(line, "  button 2 ")) {
      cancel = AfterName(line, "  button 2");
    } else if (StartsWith(line, "  picture ")) {
      picture = line.find(" hidden") != std::string::npos ? "picture hidden" : "picture";
    } else if (StartsWith(line, "  page ")) {
      page = line.substr(2);
    } else if (!StartsWith(line, "  ")) {
      finish();
    }
  }
  finish();
}

}  // namespace

SetupState NewInstallState() {
  SetupState state;
  state.m_strInstDir = "C:\\Program Files\\Pictavo 6";
  state.m_strSrcDir = "C:\\Package";
  state.m_strGroup = "Pictavo 6";
  state.m_ver = {6, 0, 0, 0};
  state.m_bNewInstall = 1;
  return state;
}

WizardRun RunWizard(const WizardSetup& setup) {
  WizardRun run;
  static std::unique_ptr<test_support::TemporaryMachine> keep;
  keep = std::make_unique<test_support::TemporaryMachine>();
  if (!keep->Ready()) return run;
  run.machine = emu::MachineFolder();
  run.driveC = run.machine + "/drives/c";
  std::string error;
  if (!setup.script.empty() && !emu::AddOperatorAnswers(run.machine, setup.script, error)) {
    ADD_FAILURE() << error;
    return run;
  }
  const std::string report = keep->HostFolder() + "/report";
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    platform::CreateFolder("C:\\Package");
    platform::WriteWholeFile("C:\\Package\\agreement.txt", setup.agreement);
    platform::SetCurrentFolder("C:\\Package");
    if (setup.prepare) setup.prepare();
    TheSetupState() = setup.state;
    int installations = 0;
    CSetupDlg frame([&]() {
      ++installations;
      emu::AppendToTranscript(emu::MachineFolder(), std::string(kInstallationMark) + "\n");
    });
    const int result = frame.RunAsMainWindow();
    WriteReport(report, result, installations, TheSetupState());
    std::fflush(nullptr);
    _exit(0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  if (run.status == 0) ReadReport(report, run);
  run.transcript = HostFile(emu::TranscriptPath(run.machine));
  Condense(run);
  return run;
}

std::vector<std::string> Frames(const WizardRun& run) {
  std::vector<std::string> frames;
  for (const WaitView& w : run.waits) frames.push_back(w.frame);
  return frames;
}

}  // namespace wizard_test
