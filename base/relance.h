// Handing a command line over to another program of the same folder: the
// batch converter hands a conversion with a report to the program that
// links the drawing, so that the plain conversion never loads it.
#pragma once

namespace quorva {

// Runs the program `nom` ("quorva-rapport"; ".exe" added on Windows) of
// this program's own folder with this process's arguments after the
// program's name, and gives its exit status; -1 when it cannot be started.
// On POSIX this process becomes that program: the call returns only when it
// cannot be started.
int relancer_voisin(const char* nom, int argc, char** argv);

}  // namespace quorva
