// The shell on the machine. The machine has no browser, so a document or web
// address opened is written to the transcript, where tests and people see
// what would have opened. The link object keeps what is set on it and
// writes a real shortcut file when saved, through the file calls, so that
// the machine's rules on rights, missing folders and files in use hold.
#include <cstdint>
#include <string>

#include "platform/emulated/machine/internal/paths.h"
#include "platform/emulated/machine/internal/shell_link_file.h"
#include "platform/emulated/machine/machine.h"
#include "platform/emulated/machine/operator.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/text.h"

namespace platform {


namespace {
// Any value above 32 tells success; ShellExecuteA gives a fake instance handle.
constexpr std::intptr_t kOpened = 42;
constexpr std::intptr_t kNoAssociation = 31;  // SE_ERR_NOASSOC

// A document named by a path, rather than a web address.
bool IsDocumentPath(const std::string& address) {
  return (address.size() >= 2 && address[1] == ':') || (!address.empty() && (address[0] == '\\' || address[0] == '/'));
}
}  // namespace

std::intptr_t OpenWithShell(const std::string& address) {
  const std::string machine = emu::MachineFolder();
  if (machine.empty() || address.empty()) {
    SetLastError(kErrFileNotFound);
    return kNoAssociation;
  }
  // A document that isn't there can't be opened: the result is the error.
  if (IsDocumentPath(address) && !PathExists(address)) {
    const std::uint32_t error = LastError() == kErrPathNotFound ? kErrPathNotFound : kErrFileNotFound;
    SetLastError(error);
    return static_cast<std::intptr_t>(error);
  }
  const std::string program = ProgramPath();
  std::string block = "shell open\n";
  block += "  program: " + (program.empty() ? std::string("unknown") : program) + "\n";
  block += "  verb: open\n";
  block += "  address: " + address + "\n\n";
  if (!emu::AppendToTranscript(machine, block)) {
    SetLastError(kErrAccessDenied);
    return kNoAssociation;
  }
  return kOpened;
}



struct ShellLinkState {
  int references = 1;
  emu::internal::ShellLinkContents contents;
};

// The IPersistFile side of a link object.
struct LinkFileState {
  ShellLinkState* link;
};

namespace {

// The characters of the wide buffer that a save converts the path into.
constexpr std::size_t kWidePathCharacters = 260;

bool comInitialized = false;

void Release(ShellLinkState* link) {
  if (link != nullptr && --link->references == 0) delete link;
}

std::size_t CharacterCount(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i = NextCharIndex(text, i)) ++count;
  return count;
}

}  // namespace

HResult InitializeCom() {
  if (comInitialized) return kHrFalse;
  comInitialized = true;
  return kHrOk;
}

HResult CreateShellLink(ShellLink& link) {
  link = nullptr;
  // As with CoCreateInstance, nothing works before COM is initialised.
  if (!comInitialized) return static_cast<HResult>(0x800401F0u);  // CO_E_NOTINITIALIZED
  link = new ShellLinkState;
  return kHrOk;
}

HResult QueryLinkFile(ShellLink link, LinkFile& file) {
  file = nullptr;
  if (link == nullptr) return kHrInvalidArg;
  ++link->references;
  file = new LinkFileState{link};
  return kHrOk;
}

HResult SetLinkPath(ShellLink link, const std::string& path) {
  if (link == nullptr) return kHrInvalidArg;
  std::string full;
  if (!emu::internal::FullWindowsPath(path, full)) return kHrInvalidArg;
  link->contents.target = full;
  const std::uint32_t attributes = GetAttributes(full);
  link->contents.targetAttributes = attributes == kInvalidAttributes ? 0 : attributes;
  return attributes == kInvalidAttributes ? kHrFalse : kHrOk;
}

HResult SetLinkDescription(ShellLink link, const std::string& text) {
  if (link == nullptr) return kHrInvalidArg;
  link->contents.hasDescription = true;
  link->contents.description = text;
  return kHrOk;
}

HResult SetLinkWorkingFolder(ShellLink link, const std::string& folder) {
  if (link == nullptr) return kHrInvalidArg;
  link->contents.hasWorkingFolder = true;
  link->contents.workingFolder = folder;
  return kHrOk;
}

HResult SaveLinkFile(LinkFile file, const std::string& path) {
  if (file == nullptr) return kHrInvalidArg;
  if (CharacterCount(path) + 1 > kWidePathCharacters) return HrFromError(kErrInsufficientBuffer);
  if (!WriteWholeFile(path, emu::internal::ShellLinkBytes(file->link->contents))) {
    return HrFromError(LastError());
  }
  return kHrOk;
}

void ReleaseLinkFile(LinkFile file) {
  if (file == nullptr) return;
  Release(file->link);
  delete file;
}

void ReleaseShellLink(ShellLink link) { Release(link); }

}  // namespace platform
