// The Linux programs' screenshots: the frame in the back buffer written as a PNG file.
#pragma once

#include <string>

// Reads the current window's picture (its drawable size, else the viewport) and writes it to
// `path`; false, with the frame and the fault on stderr, when it cannot be written.
bool SavePngShot(int frame, const std::string& path);
