#pragma once
// Libraries and entry points of the system's own libraries.
#include <string>

namespace platform {

struct LibraryState;
using LibraryHandle = LibraryState*;

// LoadLibraryExA(name, NULL, LOAD_LIBRARY_AS_DATAFILE): the library is
// mapped as data, so none of its code runs in this process. A bare name is
// looked for in Windows' library search order (the program's folder, the
// system folder, the Windows folder, the current folder, the folders of
// PATH); a name without an extension gets ".dll". nullptr when no library
// of that name is found.
LibraryHandle LoadLibraryAsData(const std::string& name);
// FreeLibrary.
void FreeLoadedLibrary(LibraryHandle library);

// The entry point IsWow64Process of kernel32, as
// GetProcAddress(GetModuleHandleA("kernel32"), "IsWow64Process") finds it;
// nullptr on Windows versions without it.
struct Wow64QueryState;
using Wow64Query = const Wow64QueryState*;
Wow64Query FindWow64Query();
// IsWow64Process(GetCurrentProcess(), &flag) through `query`, flag preset to
// FALSE: true when this 32-bit process runs on 64-bit Windows. A failing
// call answers false.
bool AskWow64Query(Wow64Query query);

}  // namespace platform
