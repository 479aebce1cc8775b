// A declared folder's window header, from the plain part.
#include "socle/fenetre_socle.h"
