// Holds a file open without sharing, as a spreadsheet program holds the
// workbook it shows:  tenir_fichier FILE READY [SECONDS]
// Opens FILE with share mode 0, creates READY, then waits until READY is
// removed (at most SECONDS, 60 by default). With FILE missing it ends at
// once with status 1.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const HANDLE tenu = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (tenu == INVALID_HANDLE_VALUE) return 1;
    const HANDLE pret = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (pret == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(pret);
    const int secondes = argc > 3 ? std::atoi(argv[3]) : 60;
    for (int i = 0; i < secondes * 10 && GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    CloseHandle(tenu);
    return 0;
}
