// How much the emulated machine costs over the host's own file calls when an
// installation copies many files into one folder: copying, and finding a
// name in a large folder in its own case and in another case. Each figure is
// a ratio against the plain host call measured in the same run, so a busy
// machine moves both sides alike.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/emulated/machine/machine.h"
#include "platform/files.h"
#include "temporary_machine.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work>
double Seconds(Work work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Name(int i) { return "File" + std::to_string(i) + ".dat"; }

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  const int files = argc > 1 ? std::atoi(argv[1]) : 3000;
  test_support::TemporaryMachine machine;
  if (!machine.Ready() || !platform::CreateFolder("C:\\src") || !platform::CreateFolder("C:\\dst")) {
    std::fprintf(stderr, "no machine to measure on\n");
    return 1;
  }
  std::string hostSource, hostTarget;
  emu::ToHostPath("C:\\src", hostSource);
  const std::string hostBaseline = machine.HostFolder() + "/baseline";
  std::filesystem::create_directory(hostBaseline);
  for (int i = 0; i < files; ++i) std::ofstream(hostSource + "/" + Name(i)) << "content " << i << "\n";

  const double hostCopy = Seconds([&] {
    for (int i = 0; i < files; ++i) {
      std::filesystem::copy_file(hostSource + "/" + Name(i), hostBaseline + "/" + Name(i));
    }
  });
  const double emulatedCopy = Seconds([&] {
    for (int i = 0; i < files; ++i) platform::CopyFileTo("C:\\src\\" + Name(i), "C:\\dst\\" + Name(i), false);
  });

  const int lookups = files;
  volatile bool sink = false;
  const double hostLookup = Seconds([&] {
    for (int i = 0; i < lookups; ++i) sink = std::filesystem::exists(hostBaseline + "/" + Name(i));
  });
  const double exactLookup = Seconds([&] {
    for (int i = 0; i < lookups; ++i) sink = platform::PathExists("C:\\dst\\" + Name(i));
  });
  const double otherCaseLookup = Seconds([&] {
    for (int i = 0; i < lookups; ++i) sink = platform::PathExists("C:\\DST\\" + Upper(Name(i)));
  });
  (void)sink;

  std::printf("%d files into one folder\n", files);
  std::printf("copy:                 host %8.1f us/file, emulated %8.1f us/file, ratio %6.1f\n",
              1e6 * hostCopy / files, 1e6 * emulatedCopy / files, emulatedCopy / hostCopy);
  std::printf("find, same case:      host %8.1f us/name, emulated %8.1f us/name, ratio %6.1f\n",
              1e6 * hostLookup / lookups, 1e6 * exactLookup / lookups, exactLookup / hostLookup);
  std::printf("find, other case:     host %8.1f us/name, emulated %8.1f us/name, ratio %6.1f\n",
              1e6 * hostLookup / lookups, 1e6 * otherCaseLookup / lookups, otherCaseLookup / hostLookup);
  return 0;
}
