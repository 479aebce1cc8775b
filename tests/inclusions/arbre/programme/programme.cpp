int programme() { return 0; }
