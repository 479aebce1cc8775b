// A program of the folder follows its module's rules.
#include "voisin/voisin.h"

int main() { return voisin_valeur(); }
