// Ends as a program that crashed ends on Windows: with the status of an
// access violation, 0xC0000005 (the report program's place in a test).
#include <windows.h>

int main() { ExitProcess(0xC0000005u); }
