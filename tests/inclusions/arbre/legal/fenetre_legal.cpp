// The window part: Qt, its own window header, a declared folder's windows.
#include "legal/fenetre_legal.h"
#include "../socle/fenetre_socle.h"
#include <QtWidgets/QLabel>
#include "legal/legal.h"
