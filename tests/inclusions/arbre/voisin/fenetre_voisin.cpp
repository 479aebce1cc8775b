#include "voisin/fenetre_voisin.h"
