// A folder that relative/ does not declare, named from here.
#include "../voisin/voisin.h"

int relative() { return voisin_valeur(); }
