#pragma once
#include "socle/socle.h"
