#pragma once

#include <string>
#include <vector>

// Writes tightly packed RGB rows, top row first, as a PNG file; false with a message on failure.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string& error);
