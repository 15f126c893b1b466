#include "app/setup_app.h"

// A GUI program on Windows: the MinGW start-up calls main for it as it does
// for a console program, so one entry serves every build.
int main() {
  CSetupApp app;
  return app.InitInstance();
}
