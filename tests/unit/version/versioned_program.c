/* A Windows program with nothing but a version resource. */
int main(void) { return 0; }
