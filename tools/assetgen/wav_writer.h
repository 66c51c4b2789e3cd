#pragma once

#include <string>
#include <vector>

constexpr int kSampleRate = 22050;

// Writes 16-bit PCM mono at 22,050 Hz. Samples are in -1..1; the caller keeps them in range.
bool WriteWav(const std::string& path, const std::vector<double>& samples);
