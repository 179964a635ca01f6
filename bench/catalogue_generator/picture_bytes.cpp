#include "bench/catalogue_generator/picture_bytes.h"

namespace quarvel::bench {
namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string MakeBitmap(int width, int height, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const std::uint32_t row_bytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3U;
  const std::uint32_t pixel_bytes = row_bytes * static_cast<std::uint32_t>(height);
  std::string out = "BM";
  PutLittleEndian(out, 54 + pixel_bytes, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 54, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(height), 4);
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, 24, 2);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, pixel_bytes, 4);
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 0, 4);
  for (int y = 0; y < height; ++y) {
    std::uint32_t written = 0;
    for (int x = 0; x < width; ++x) {
      out += static_cast<char>(blue);
      out += static_cast<char>(green);
      out += static_cast<char>(red);
      written += 3;
    }
    for (; written < row_bytes; ++written) out += '\0';
  }
  return out;
}

std::string MakeTinyPdf() {
  return "%PDF-1.1\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
         "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
         "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 72 72]>>endobj\n"
         "trailer<</Root 1 0 R>>\n%%EOF\n";
}

}  // namespace quarvel::bench
