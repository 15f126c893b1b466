// Placeholder until the string-table generator lands.
#include <fstream>
int main(int, char** argv) {
  std::ofstream out(argv[2]);
  out << "#include <cstddef>\nstruct PtvStringEntry { unsigned id; const char* text; };\n"
         "extern const PtvStringEntry kPtvStringTable[] = {{0, nullptr}};\n"
         "extern const std::size_t kPtvStringCount = 0;\n";
  return 0;
}
