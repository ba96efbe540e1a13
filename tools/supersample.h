// Drawing shapes by sampling: a scene function says, for any point, whether
// something solid is there and its colour; each pixel averages n x n samples,
// which smooths the edges between parts while the outline stays crisp
// (a pixel is solid when at least half its samples are).
#pragma once

#include "picture.h"

template <typename Scene>
Picture render_supersampled(int w, int h, int n, Scene scene) {
  Picture picture(w, h, {}, false);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      Rgb sum;
      int hits = 0;
      for (int sy = 0; sy < n; sy++)
        for (int sx = 0; sx < n; sx++) {
          Rgb c;
          if (scene(x + (sx + 0.5f) / n, y + (sy + 0.5f) / n, c)) {
            sum = sum + c;
            hits++;
          }
        }
      if (hits * 2 >= n * n) picture.paint(x, y, sum * (1.0f / hits));
    }
  return picture;
}
