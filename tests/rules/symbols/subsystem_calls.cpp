// A subsystem's object for the symbol check's test: what a subsystem may
// call (the C++ runtime, pure C functions, a library it may use), and one
// call of each kind it may not. Declared by hand where a header would be
// refused by the include check first.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

int AllowedLibraryCall();
int OtherLibraryCall();
extern "C" int unlink(const char* path);

int CallsItMayMake(const std::string& text) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
  std::memmove(buffer, buffer + 1, 4);
  long number = std::strtol(buffer, nullptr, 10);
  std::string copy = text + buffer;
  return static_cast<int>(number + copy.size()) + AllowedLibraryCall();
}

int CallsItMayNotMake(const std::string& path) {
  int result = unlink(path.c_str()) + OtherLibraryCall();
  if (std::FILE* file = std::fopen(path.c_str(), "r")) std::fclose(file);
  if (std::getenv("PATH") != nullptr) ++result;
  return result + (std::filesystem::remove(path) ? 1 : 0);
}
