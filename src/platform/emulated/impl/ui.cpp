// Message boxes answered by the machine's scripted operator, and the
// program's string table.
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/errors.h"
#include "platform/process.h"
#include "platform/ui.h"

// The string table, generated from the resource script at build time.
struct PtvStringEntry {
  unsigned id;
  const char* text;
};
extern const PtvStringEntry kPtvStringTable[];
extern const std::size_t kPtvStringCount;

namespace platform {

namespace {

// The status a program ends with when a box finds no usable answer.
constexpr int kNoAnswerExitStatus = 3;

struct BoxButtons {
  const char* names;
  std::vector<emu::OperatorAnswer> answers;
};

bool ButtonsOf(unsigned flags, BoxButtons& buttons) {
  switch (flags & 0xFu) {
    case kMbOk:
      buttons = {"OK", {emu::OperatorAnswer::Ok}};
      return true;
    case kMbOkCancel:
      buttons = {"OK/Cancel", {emu::OperatorAnswer::Ok, emu::OperatorAnswer::Cancel}};
      return true;
    case kMbYesNo:
      buttons = {"Yes/No", {emu::OperatorAnswer::Yes, emu::OperatorAnswer::No}};
      return true;
    default:
      return false;
  }
}

const char* IconOf(unsigned flags) {
  switch (flags & 0xF0u) {
    case kMbIconError:
      return "error";
    case kMbIconQuestion:
      return "question";
    case kMbIconExclamation:
      return "exclamation";
    case kMbIconInformation:
      return "information";
    default:
      return "none";
  }
}

int ResultOf(emu::OperatorAnswer answer) {
  switch (answer) {
    case emu::OperatorAnswer::Ok:
      return kIdOk;
    case emu::OperatorAnswer::Cancel:
      return kIdCancel;
    case emu::OperatorAnswer::Yes:
      return kIdYes;
    case emu::OperatorAnswer::No:
      return kIdNo;
  }
  return 0;
}

// The text with each of its lines indented, its line breaks kept.
std::string IndentedLines(const std::string& text) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out += "    " + line + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return out;
}

std::string TranscriptBlock(WindowHandle owner, const std::string& text, const std::string& caption,
                            unsigned flags, const char* buttons, const std::string& answer) {
  const std::string program = ProgramPath();
  std::string block = "message box\n";
  block += "  program: " + (program.empty() ? std::string("unknown") : program) + "\n";
  block += "  caption: " + caption + "\n";
  block += "  text:\n" + IndentedLines(text);
  block += std::string("  buttons: ") + buttons + "\n";
  block += std::string("  icon: ") + IconOf(flags) + "\n";
  block += std::string("  default button: ") + ((flags & 0xF00u) == kMbDefButton2 ? "2" : "1") + "\n";
  block += "  owner: " + emu::DescribeOwnerWindow(owner) + "\n";
  block += "  answer: " + answer + "\n\n";
  return block;
}

}  // namespace

int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption, unsigned flags) {
  const std::string machine = emu::MachineFolder();
  BoxButtons buttons;
  if (machine.empty() || !ButtonsOf(flags, buttons)) {
    SetLastError(kErrInvalidParameter);
    return 0;
  }

  std::string line;
  const emu::TakeResult taken = emu::TakeOperatorAnswer(machine, line);
  emu::OperatorAnswer answer;
  if (taken == emu::TakeResult::Taken && ParseOperatorAnswer(line, answer)) {
    for (emu::OperatorAnswer allowed : buttons.answers) {
      if (allowed == answer) {
        const char* name = emu::OperatorAnswerName(answer);
        emu::AppendToTranscript(machine, TranscriptBlock(owner, text, caption, flags, buttons.names, name));
        return ResultOf(answer);
      }
    }
  }

  // Nobody can answer this box: the run ends here rather than wait forever.
  std::string problem;
  std::string recorded;
  if (taken == emu::TakeResult::Taken) {
    problem = "scripted answer \"" + line + "\" is not a button of message box (" + buttons.names + ")";
    recorded = "\"" + line + "\" refused (not a button of this box); the program ends with status 3";
  } else {
    problem = "no scripted answer for message box";
    recorded = "none (no scripted answer); the program ends with status 3";
  }
  emu::AppendToTranscript(machine, TranscriptBlock(owner, text, caption, flags, buttons.names, recorded));
  std::fprintf(stderr, "%s: %s: %s\n", problem.c_str(), caption.c_str(), text.c_str());
  std::fflush(stderr);
  ExitProcessNow(kNoAnswerExitStatus);
}

std::string LoadResourceString(unsigned id) {
  for (std::size_t i = 0; i < kPtvStringCount; ++i) {
    if (kPtvStringTable[i].id == id && kPtvStringTable[i].text != nullptr) return kPtvStringTable[i].text;
  }
  return "";
}

}  // namespace platform
