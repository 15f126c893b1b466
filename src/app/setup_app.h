#pragma once

// The application object: one per process.
class CSetupApp {
 public:
  // The start-up operation: reads the command line, decides what this
  // process is and hands over. Returns the outcome, 0 or 1, which is also
  // the exit status of the process.
  int InitInstance();
};
