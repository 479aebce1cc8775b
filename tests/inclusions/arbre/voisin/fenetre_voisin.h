#pragma once
#include <QWidget>

class fenetre_voisin : public QWidget {};
