// The machine's fault plan:
//   emumachine fault MACHINE CALL [PATH-PATTERN] ERROR [COUNT]
//   emumachine fault MACHINE [--clear]
#include <cstdio>
#include <cstdlib>

#include "platform/emulated/machine/machine.h"
#include "tool.h"

namespace tool {

namespace {

// Digits only, decimal or 0x hexadecimal: a number, not a path pattern.
bool LooksLikeNumber(const std::string& text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  return !digits.empty() &&
         digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") == std::string::npos;
}

// A whole number from 1 up, decimal or 0x hexadecimal.
bool ParseNumber(const std::string& text, unsigned long& number) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  char* end = nullptr;
  number = std::strtoul(text.c_str(), &end, 0);
  return *end == '\0' && number >= 1 && number <= 0xFFFFFFFFul;
}

void PrintPlan() {
  for (const emu::Fault& fault : emu::PlannedFaults()) {
    std::printf("%s %u %s%s%s\n", fault.call.c_str(), fault.error,
                fault.count < 0 ? "every call" : (std::to_string(fault.count) + " more").c_str(),
                fault.pattern.empty() ? "" : " on ", fault.pattern.c_str());
  }
}

}  // namespace

int FaultCommand(const Arguments& args) {
  if (!OpenMachine(args[0])) return kExitFailed;
  std::string error;
  if (args.size() == 1) {
    PrintPlan();
    return 0;
  }
  if (args.size() == 2 && args[1] == "--clear") {
    if (!emu::ClearFaults(error)) return Fail("fault: " + error);
    return 0;
  }
  // CALL ERROR, CALL ERROR COUNT, CALL PATTERN ERROR or CALL PATTERN ERROR COUNT:
  // with three, two numbers are an error and a count.
  unsigned long number = 0;
  unsigned long count = 0;
  emu::Fault fault;
  fault.call = args[1];
  std::vector<std::string> rest(args.begin() + 2, args.end());
  if (fault.call.empty() || fault.call[0] == '-' || rest.empty() || rest.size() > 3) {
    return UsageError("fault: give CALL [PATH-PATTERN] ERROR [COUNT], or --clear");
  }
  const bool patternGiven =
      rest.size() == 3 || (rest.size() == 2 && !(LooksLikeNumber(rest[0]) && LooksLikeNumber(rest[1])));
  if (patternGiven) {
    fault.pattern = rest.front();
    rest.erase(rest.begin());
  }
  if (!ParseNumber(rest[0], number)) return UsageError("fault: \"" + rest[0] + "\" is not a Windows error number");
  fault.error = static_cast<std::uint32_t>(number);
  if (rest.size() == 2) {
    if (!ParseNumber(rest[1], count) || count > 1000000000ul) {
      return UsageError("fault: \"" + rest[1] + "\" is not a count of calls");
    }
    fault.count = static_cast<int>(count);
  }
  if (!emu::AddFault(fault, error)) return Fail("fault: " + error);
  return 0;
}

}  // namespace tool
