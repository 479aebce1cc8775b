#pragma once
#include <QWidget>
#include "socle/fenetre_socle.h"
