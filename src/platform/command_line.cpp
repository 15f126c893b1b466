#include "platform/command_line.h"

#include "platform/command_line_splitter.h"
#include "platform/text.h"

namespace platform {

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  return CommandLineSplitter(commandLine, NextCharIndex).Split();
}

}  // namespace platform
