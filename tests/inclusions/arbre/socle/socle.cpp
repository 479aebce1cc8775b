#include "socle/socle.h"

int socle() { return socle_valeur(); }
