#include "socle/fenetre_socle.h"
#include "voisin/fenetre_voisin.h"
