// A library the fixture subsystem may not use.
int OtherLibraryCall() { return 2; }
