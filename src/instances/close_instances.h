#pragma once
// Closing the running copies of the product before their files are replaced
// or removed.
class COXInstanceManager;

// Asks each of the first `otherCount` registered processes other than this
// one to close (WM_CLOSE with wParam 1001 to its main window), and ends it
// 10 ms later whether it closed or not. A listed id whose process is no copy
// of the product (its program file isn't "Ptav6.exe" and it has no main
// window) belongs to a process that took over the number of one that ended
// unregistered: it is left alone.
void CloseRunningInstances(COXInstanceManager& registry, int otherCount);
// The same with this process's registry (the_instance_manager.h).
void CloseRunningInstances(int otherCount);
