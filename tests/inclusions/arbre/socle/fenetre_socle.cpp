#include "socle/fenetre_socle.h"
