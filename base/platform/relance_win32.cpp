#include <windows.h>

#include <string>

#include "base/relance.h"

namespace quorva {

std::optional<std::uint32_t> relancer_voisin(const char* nom, int, char**) {
    std::wstring chemin(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, chemin.data(), static_cast<DWORD>(chemin.size()));
    if (n == 0 || n >= chemin.size()) return std::nullopt;
    chemin.resize(n);
    chemin = chemin.substr(0, chemin.find_last_of(L"\\/") + 1);
    for (const char* c = nom; *c; ++c) chemin += static_cast<wchar_t>(*c);
    chemin += L".exe";
    // The command line as it came, after the program's name (quoted or not).
    const wchar_t* reste = GetCommandLineW();
    if (*reste == L'"') {
        ++reste;
        while (*reste && *reste != L'"') ++reste;
        if (*reste) ++reste;
    } else {
        while (*reste && *reste != L' ' && *reste != L'\t') ++reste;
    }
    std::wstring ligne = L"\"" + chemin + L"\"" + reste;
    STARTUPINFOW demarrage{};
    demarrage.cb = sizeof demarrage;
    PROCESS_INFORMATION processus{};
    if (!CreateProcessW(chemin.c_str(), ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &demarrage,
                        &processus))
        return std::nullopt;
    WaitForSingleObject(processus.hProcess, INFINITE);
    // Started: whatever its end, it is its status (a crash is 0xC0000005,
    // not a program that could not start).
    DWORD code = 1;
    GetExitCodeProcess(processus.hProcess, &code);
    CloseHandle(processus.hThread);
    CloseHandle(processus.hProcess);
    return static_cast<std::uint32_t>(code);
}

}  // namespace quorva
