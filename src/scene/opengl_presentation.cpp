// OpenGL presentation: a finished software frame goes to the screen as one
// textured quad in a perspective view instead of a blit, so a game can tilt,
// turn or pull back its whole picture. Every frame is uploaded as a fresh
// texture and deleted again: nothing of OpenGL outlives a call.
#include "zephyrun.h"

#include <alleggl.h>

namespace zephyrun {

int GLcr_bmp = 0;
BITMAP *GLbmp2 = nullptr;
int GLw = 0;
int GLh = 0;
unsigned int GLtex = 0;

// A copy of the source at the scratch's depth, for sources drawn at another
// depth (the game draws at 15 bits; stretch_blit cannot convert depths).
static BITMAP *depth_converted_source = nullptr;

constexpr double near_plane = 0.999;

static bool opengl_mode_is_set() {
  return gfx_driver &&
         (gfx_driver->id == GFX_OPENGL_WINDOWED || gfx_driver->id == GFX_OPENGL_FULLSCREEN);
}

// AllegroGL's mode sets its own 15- and 16-bit pixel layouts (5:5:5:1 and
// 5:6:5 from the top), which garbles every 15/16-bit bitmap made before, and
// makes makecol's magic pink differ from the colour masked drawing skips.
// Such bitmaps only ever reach OpenGL through a copy at the screen's depth,
// so the layouts they were made with are put back.
struct HiColourLayout {
  int r15 = _rgb_r_shift_15, g15 = _rgb_g_shift_15, b15 = _rgb_b_shift_15;
  int r16 = _rgb_r_shift_16, g16 = _rgb_g_shift_16, b16 = _rgb_b_shift_16;
  void restore() const {
    _rgb_r_shift_15 = r15, _rgb_g_shift_15 = g15, _rgb_b_shift_15 = b15;
    _rgb_r_shift_16 = r16, _rgb_g_shift_16 = g16, _rgb_b_shift_16 = b16;
  }
};

static void set_allegro_error(const char *reason) {
  ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, reason);
}

int gfxGL(int width, int height, int fullscreen, int depth) {
  // AllegroGL's X driver uses the X connection without checking it, and the
  // timer cannot start under the display-less system driver: both would crash
  // instead of failing, so anything but Allegro's X11 system is turned away.
  if (!system_driver || system_driver->id != SYSTEM_XWINDOWS) {
    set_allegro_error("OpenGL mode needs Allegro started on an X display");
    return -1;
  }
  if (install_allegro_gl() != 0) {
    set_allegro_error("AllegroGL could not be installed");
    return -1;
  }
  // AllegroGL's X driver needs the timer; without it the mode is refused, not half set.
  if (install_timer() != 0) {
    set_allegro_error("the timer OpenGL mode needs could not be started");
    return -1;
  }

  allegro_gl_clear_settings();
  allegro_gl_set(AGL_COLOR_DEPTH, depth);
  allegro_gl_set(AGL_Z_DEPTH, depth);
  allegro_gl_set(AGL_FULLSCREEN, fullscreen);
  allegro_gl_set(AGL_SUGGEST, AGL_COLOR_DEPTH | AGL_DOUBLEBUFFER | AGL_Z_DEPTH | AGL_FULLSCREEN);
  allegro_gl_set(AGL_RENDERMETHOD, 1);
  const HiColourLayout layout_in_use;
  const bool mode_set = set_gfx_mode(GFX_OPENGL, width, height, 0, 0) == 0;
  layout_in_use.restore();
  if (!mode_set) return -1;  // allegro_error says why

  allegro_gl_use_mipmapping(TRUE);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glEnable(GL_COLOR_MATERIAL);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat from_upper_right_front[] = {1.0f, 1.0f, 1.0f, 0.0f};  // w = 0: directional
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_POSITION, from_upper_right_front);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  return 0;
}

// Pacing's default wait in OpenGL mode (gl_clear_wait).
void clear_gl_buffers() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

// The source as stretch_blit can take it: itself, or a copy at the scratch's depth.
static BITMAP *at_scratch_depth(BITMAP *source) {
  int depth = bitmap_color_depth(GLbmp2);
  if (bitmap_color_depth(source) == depth) return source;
  BITMAP *&copy = depth_converted_source;
  if (copy && (copy->w != source->w || copy->h != source->h)) {
    destroy_bitmap(copy);
    copy = nullptr;
  }
  if (!copy) copy = create_bitmap_ex(depth, source->w, source->h);
  if (copy) blit(source, copy, 0, 0, 0, 0, source->w, source->h);
  return copy;
}

void renderGL(int width, int height, float dx, float dy, float dz, float anglex, float angley,
              float anglez, BITMAP *source) {
  if (!opengl_mode_is_set()) return;  // no context: there is nothing to draw into

  GLw = width;
  GLh = height;
  if (GLcr_bmp == 0) {
    // At the screen's depth (24 or 32 in an OpenGL mode): a 15- or 16-bit
    // bitmap uploads as a garbled texture.
    GLbmp2 = create_bitmap_ex(bitmap_color_depth(screen), GLw, GLh);
    if (!GLbmp2) return;
    GLcr_bmp = 1;
  }
  BITMAP *shown = at_scratch_depth(source);
  if (!shown) return;
  stretch_blit(shown, GLbmp2, 0, 0, shown->w, shown->h, 0, 0, GLw, GLh);

  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DITHER);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);  // texture colour, not the lit one
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  GLtex = allegro_gl_make_texture(GLbmp2);  // flipped on upload: the top row lands at t = 1

  // At dz 0 the quad lies one unit away and its corners meet the edges of the
  // view. Exactly on the near plane, rounding clips it all away, so the near
  // plane sits a little in front of it, with the same angle of view.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-near_plane, near_plane, -near_plane, near_plane, near_plane, 40.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(dx, dy, dz - 1.0f);
  glRotatef(anglex, 1.0f, 0.0f, 0.0f);
  glRotatef(angley, 0.0f, 1.0f, 0.0f);
  glRotatef(anglez, 0.0f, 0.0f, 1.0f);

  glBindTexture(GL_TEXTURE_2D, GLtex);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(-1.0f, 1.0f, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(1.0f, 1.0f, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(1.0f, -1.0f, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(-1.0f, -1.0f, 0.0f);
  glEnd();
  glDeleteTextures(1, &GLtex);

  allegro_gl_flip();
}

}  // namespace zephyrun
