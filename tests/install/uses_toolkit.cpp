// Someone else's game on the installed toolkit: two squares that overlap
// collide, and once one is moved away they do not. Runs without a display.
#include <zephyrun.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main() {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(15);
  BITMAP *ship = create_bitmap(20, 20);
  BITMAP *rock = create_bitmap(20, 20);
  clear_to_color(ship, makecol(255, 255, 255));
  clear_to_color(rock, makecol(255, 0, 0));
  const int touching = zephyrun::collisione(640, 480, ship, 20, 20, 100, 100, rock, 110, 110);
  const int apart = zephyrun::collisione(640, 480, ship, 20, 20, 100, 100, rock, 300, 300);
  std::printf("touching %d, apart %d\n", touching, apart);
  return touching == 1 && apart == 0 ? 0 : 1;
}
END_OF_MAIN()
