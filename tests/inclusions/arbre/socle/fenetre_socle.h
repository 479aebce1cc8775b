#pragma once
#include <QWidget>

class fenetre_socle : public QWidget {};
