#pragma once

#include <cstdint>
#include <string>

namespace quarvel::bench {

// A small uncompressed 24-bit BMP of one colour: real picture bytes an image converter accepts.
std::string MakeBitmap(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// A minimal one-page PDF, for document rows that picture exports must leave out.
std::string MakeTinyPdf();

}  // namespace quarvel::bench
