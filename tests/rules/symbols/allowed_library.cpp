// A library the fixture subsystem may use.
int AllowedLibraryCall() { return 1; }
