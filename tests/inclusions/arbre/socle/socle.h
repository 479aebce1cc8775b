#pragma once
inline int socle_valeur() { return 1; }
