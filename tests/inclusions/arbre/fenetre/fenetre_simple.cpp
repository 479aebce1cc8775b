int fenetre_simple() { return 0; }
