#pragma once
// The shell: opening documents and web addresses, and shortcut (".lnk")
// files through the shell's link object. Every step of a link returns its
// HRESULT, so that a caller can tell, and a test can make fail, each one.
#include <cstdint>
#include <string>

namespace platform {

// ShellExecuteA(NULL, "open", address, NULL, NULL, SW_SHOW): opens a
// document or a web address with the program the system has for it. The
// call's result as a number: above 32 on success; a document that does
// not exist gives 2 (SE_ERR_FNF, the file is missing) or 3 (its folder is).
std::intptr_t OpenWithShell(const std::string& address);

using HResult = std::int32_t;
constexpr HResult kHrOk = 0;     // S_OK
constexpr HResult kHrFalse = 1;  // S_FALSE: done, with a remark
constexpr HResult kHrFail = static_cast<HResult>(0x80004005u);        // E_FAIL
constexpr HResult kHrInvalidArg = static_cast<HResult>(0x80070057u);  // E_INVALIDARG
inline bool HrSucceeded(HResult hr) { return hr >= 0; }
// HRESULT_FROM_WIN32.
inline HResult HrFromError(std::uint32_t error) {
  return error == 0 ? kHrOk : static_cast<HResult>((error & 0xFFFFu) | 0x80070000u);
}

// CoInitialize(NULL): S_OK the first time on a thread, S_FALSE after.
HResult InitializeCom();

struct ShellLinkState;
using ShellLink = ShellLinkState*;
struct LinkFileState;
using LinkFile = LinkFileState*;

// CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA).
HResult CreateShellLink(ShellLink& link);
// IShellLinkA::QueryInterface(IID_IPersistFile).
HResult QueryLinkFile(ShellLink link, LinkFile& file);
// IShellLinkA::SetPath: the target, kept as a full path. S_FALSE when no
// file of that name exists (the link is made all the same).
HResult SetLinkPath(ShellLink link, const std::string& path);
// IShellLinkA::SetDescription.
HResult SetLinkDescription(ShellLink link, const std::string& text);
// IShellLinkA::SetWorkingDirectory: kept as given, not expanded.
HResult SetLinkWorkingFolder(ShellLink link, const std::string& folder);
// MultiByteToWideChar(CP_ACP, 0, path, -1, buffer, 260), then
// IPersistFile::Save(buffer, TRUE): writes the shortcut file, replacing one
// that exists. A path that does not fit the 260 characters fails with
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) and writes nothing.
HResult SaveLinkFile(LinkFile file, const std::string& path);
// IPersistFile::Release and IShellLinkA::Release.
void ReleaseLinkFile(LinkFile file);
void ReleaseShellLink(ShellLink link);

}  // namespace platform
