// The stand-in Pictavo 6 program.
int main() { return 0; }
