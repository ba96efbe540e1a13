// The program's entry: everything else lives in the game module.
#include "zephyrun.h"

int main() { return zephyrun::run_game(); }
END_OF_MAIN()
