#pragma once
// The machine's scripted operator, who answers message boxes. The answers
// still to give wait in <machine>/operator/answers, one a line, and are
// taken first come first served under the lock operator/answers.lock, so
// that several processes of one machine share the queue; every change puts
// a whole new queue in place at once. Every box shown is written to
// <machine>/transcript.txt, and so is every notice to the shell (the
// machine has no shell of its own to tell).
#include <string>
#include <vector>

#include "platform/ui.h"

namespace emu {

enum class OperatorAnswer { Ok, Cancel, Yes, No };

// "ok", "cancel", "yes" or "no", in any case.
bool ParseOperatorAnswer(const std::string& word, OperatorAnswer& answer);
const char* OperatorAnswerName(OperatorAnswer answer);

std::string OperatorQueuePath(const std::string& machine);
std::string TranscriptPath(const std::string& machine);

enum class TakeResult { Taken, Empty, Failed };
// Removes the first non-blank line from the queue and gives it, trimmed.
TakeResult TakeOperatorAnswer(const std::string& machine, std::string& answer);
// Appends answers to the queue, creating it when missing.
bool AddOperatorAnswers(const std::string& machine, const std::vector<std::string>& answers,
                        std::string& error);
bool ClearOperatorAnswers(const std::string& machine, std::string& error);
// The answers still waiting, in order.
std::vector<std::string> PendingOperatorAnswers(const std::string& machine);

// Appends one whole block to the transcript, never interleaved with another
// process's block.
bool AppendToTranscript(const std::string& machine, const std::string& block);

// How the transcript names the owner of a box. This default gives the
// handle; window code that knows titles may provide its own definition.
std::string DescribeOwnerWindow(platform::WindowHandle owner);

}  // namespace emu
