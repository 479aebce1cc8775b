#pragma once
inline int local_valeur() { return 2; }
