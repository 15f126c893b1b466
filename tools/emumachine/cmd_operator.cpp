// The operator's queue and the transcript:
//   emumachine answer MACHINE ANSWER...
//   emumachine answers MACHINE [--clear]
//   emumachine transcript MACHINE
#include <cstdio>

#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "tool.h"

namespace tool {

int AnswerCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() < 2) return UsageError("answer: no answer given (ok, cancel, yes or no)");
  std::vector<std::string> answers;
  for (std::size_t i = 1; i < args.size(); ++i) {
    emu::OperatorAnswer answer;
    if (!emu::ParseOperatorAnswer(args[i], answer)) {
      return UsageError("answer: \"" + args[i] + "\" is not an answer (ok, cancel, yes or no)");
    }
    answers.push_back(emu::OperatorAnswerName(answer));
  }
  std::string error;
  if (!emu::AddOperatorAnswers(emu::MachineFolder(), answers, error)) return Fail("answer: " + error);
  return 0;
}

int AnswersCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() == 1) {
    for (const std::string& answer : emu::PendingOperatorAnswers(emu::MachineFolder())) {
      std::printf("%s\n", answer.c_str());
    }
    return 0;
  }
  if (args.size() != 2 || args[1] != "--clear") return UsageError("answers: the only option is --clear");
  std::string error;
  if (!emu::ClearOperatorAnswers(emu::MachineFolder(), error)) return Fail("answers: " + error);
  return 0;
}

int TranscriptCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  if (args.size() != 1) return UsageError("transcript: unexpected argument " + args[1]);
  std::string content;
  // No transcript yet means no box has been shown.
  if (ReadHostFile(emu::TranscriptPath(emu::MachineFolder()), content)) {
    std::fwrite(content.data(), 1, content.size(), stdout);
  }
  return 0;
}

}  // namespace tool
