// The program's entry: everything else lives in the game module.
#include "game/game.h"

int main(int argc, char **argv) { return zephyrun::run_game(argc, argv); }
END_OF_MAIN()
