// Someone else's game on the installed toolkit, without a display: two squares
// that overlap collide, and once one is moved away they do not.
#include <zephyrun.h>

#include <cerrno>
#include <cstdlib>

int main() {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(15);
  BITMAP *ship = create_bitmap(20, 20);
  BITMAP *rock = create_bitmap(20, 20);
  clear_to_color(ship, makecol(255, 255, 255));
  clear_to_color(rock, makecol(255, 0, 0));
  const bool touching = zephyrun::collisione(640, 480, ship, 20, 20, 100, 100, rock, 110, 110);
  const bool apart = zephyrun::collisione(640, 480, ship, 20, 20, 100, 100, rock, 300, 300);
  destroy_bitmap(ship);
  destroy_bitmap(rock);
  return touching && !apart ? 0 : 1;
}
END_OF_MAIN()
