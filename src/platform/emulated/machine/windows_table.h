#pragma once
// Top-level windows of the machine's processes, and the messages posted to
// them. Each window is a file of <machine>/windows/, named by its handle and
// holding "<process> <owner> <style> <extended style>" on its first line and
// its title after it; a window lives while its file is there and its process
// lives. Each process that has windows reads its messages from the FIFO
// <machine>/queues/<process id>, which it keeps open: a posted message is
// one write of a fixed-size record, and a FIFO that nobody reads any more
// refuses it. A queue holds some 10000 messages, as a Windows queue does.
#include <cstdint>
#include <string>
#include <vector>

namespace emu {

struct MachineWindow {
  std::uint32_t handle = 0;
  std::uint32_t process = 0;
  std::uint32_t owner = 0;  // 0: none
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::string title;
};

// The live windows, the most recently created first.
std::vector<MachineWindow> LiveWindows();
bool FindLiveWindow(std::uint32_t handle, MachineWindow& window);

// A window of this process; 0 with LastError set on failure (an owner that
// is no live window: kErrInvalidWindowHandle).
std::uint32_t CreateMachineWindow(const std::string& title, std::uint32_t style, std::uint32_t exStyle,
                                  std::uint32_t owner);
// Destroys a window of this process and the windows it owns.
bool DestroyMachineWindow(std::uint32_t handle);

struct MachineMessage {
  std::uint32_t window = 0;
  std::uint32_t message = 0;
  std::uint64_t wParam = 0;
  std::int64_t lParam = 0;
};
// Queues the message for the window's process; false with
// kErrInvalidWindowHandle when the window or its process is gone, and with
// kErrNotEnoughQuota when its queue is full.
bool PostMachineMessage(std::uint32_t window, std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
// Queues WM_QUIT for this process's own message loop.
void PostQuitToThisProcess();
// Waits for the next message to a live window of this process.
bool WaitForMachineMessage(MachineMessage& message);

}  // namespace emu
