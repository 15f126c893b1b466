#include "instances/instance_rules.h"

bool TitleMarksMainWindow(const std::string& title) {
  if (title == "DDE Server Window" || title == "OleMainThreadWndName") return false;
  return title.compare(0, 7, "Pictavo") == 0;
}
