#pragma once
// Whether the setup, a 32-bit program, runs on 64-bit Windows.

// Looks up the system's entry point that answers it, once for the life of
// the process; the program's start-up calls this before anything else.
void LookUpWow64Query();

// True under WOW64; false on 32-bit Windows and on Windows without the
// entry point.
bool IsRunningUnderWow64();
