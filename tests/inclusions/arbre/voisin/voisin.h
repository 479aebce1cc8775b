#pragma once
inline int voisin_valeur() { return 1; }
