// Every way of naming a header of its own folder or of a declared one.
#include "./local.h"
#include "local.h"
#include "legal/local.h"
#include "../socle/socle.h"
#include "socle/socle.h"
#include <socle/socle.h>
#include <vector>

int legal() { return local_valeur() + socle_valeur(); }
