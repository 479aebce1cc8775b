#include "voisin/voisin.h"

int voisin() { return voisin_valeur(); }
