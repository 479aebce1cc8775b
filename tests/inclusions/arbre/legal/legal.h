#pragma once
#include "socle/socle.h"
#include <vector>
