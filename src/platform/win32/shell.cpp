#include "platform/win32/win32_support.h"

#include "platform/shell.h"

namespace platform {

namespace {
IShellLinkA* AsLink(ShellLink link) { return reinterpret_cast<IShellLinkA*>(link); }
IPersistFile* AsFile(LinkFile file) { return reinterpret_cast<IPersistFile*>(file); }
}  // namespace

std::intptr_t OpenWithShell(const std::string& address) {
  return reinterpret_cast<std::intptr_t>(
      ::ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOW));
}

HResult InitializeCom() { return ::CoInitialize(nullptr); }

HResult CreateShellLink(ShellLink& link) {
  IShellLinkA* created = nullptr;
  const HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                        reinterpret_cast<void**>(&created));
  link = reinterpret_cast<ShellLink>(created);
  return hr;
}

HResult QueryLinkFile(ShellLink link, LinkFile& file) {
  IPersistFile* persist = nullptr;
  const HRESULT hr = AsLink(link)->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  file = reinterpret_cast<LinkFile>(persist);
  return hr;
}

HResult SetLinkPath(ShellLink link, const std::string& path) { return AsLink(link)->SetPath(path.c_str()); }

HResult SetLinkDescription(ShellLink link, const std::string& text) {
  return AsLink(link)->SetDescription(text.c_str());
}

HResult SetLinkWorkingFolder(ShellLink link, const std::string& folder) {
  return AsLink(link)->SetWorkingDirectory(folder.c_str());
}

HResult SaveLinkFile(LinkFile file, const std::string& path) {
  WCHAR wide[MAX_PATH];
  if (::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) {
    return HRESULT_FROM_WIN32(::GetLastError());
  }
  return AsFile(file)->Save(wide, TRUE);
}

void ReleaseLinkFile(LinkFile file) {
  if (file) AsFile(file)->Release();
}

void ReleaseShellLink(ShellLink link) {
  if (link) AsLink(link)->Release();
}

}  // namespace platform
