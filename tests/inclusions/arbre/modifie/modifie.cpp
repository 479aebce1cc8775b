#include "modifie/modifie.h"

int modifie() { return socle_valeur(); }
