// A folder that racine/ does not declare, through the include path.
#include <voisin/voisin.h>

int racine() { return voisin_valeur(); }
