// Draws the game's five pictures and writes them where the game looks for them.
#pragma once

#include <string>

// The file names the game loads, in the order it loads them.
constexpr const char *asset_file_names[] = {"cor.dat", "terreno.tga", "cielo.bmp", "asteroide.tga",
                                            "present.bmp"};

// Writes cor.dat, terreno.tga, cielo.bmp, asteroide.tga and present.bmp into
// directory (creating it and its parents), the same bytes on every run.
// Allegro must be started (no graphics mode needed). On failure returns false
// and says which file or directory could not be written in error.
bool write_asset_files(const std::string &directory, std::string &error);
