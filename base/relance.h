// Handing a command line over to another program of the same folder: the
// batch converter hands a conversion with a report to the program that
// links the drawing, so that the plain conversion never loads it.
#pragma once

#include <cstdint>
#include <optional>

namespace quorva {

// Runs the program `nom` ("quorva-rapport"; ".exe" added on Windows) of
// this program's own folder with this process's arguments after the
// program's name, and gives its exit status as the system gives it (a
// crash on Windows is a status such as 0xC0000005); nothing when it cannot
// be started. On POSIX this process becomes that program: the call returns
// only when it cannot be started.
std::optional<std::uint32_t> relancer_voisin(const char* nom, int argc, char** argv);

// Whether an exit status is one of the statuses the program itself gives
// (0 to 2), not a crash or an ending by the system.
constexpr bool fin_normale(std::uint32_t statut) { return statut <= 2; }

}  // namespace quorva
