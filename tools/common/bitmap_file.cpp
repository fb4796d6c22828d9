// Pictures in memory and their writing as uncompressed 24-bit bitmap files.
#include "tools/common/bitmap_file.h"

#include <cstdio>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

Picture::Picture(int pictureWidth, int pictureHeight, Rgb background)
    : width(pictureWidth),
      height(pictureHeight),
      pixels(static_cast<size_t>(pictureWidth) * pictureHeight, background) {}

void Picture::Set(int x, int y, Rgb colour) {
    if (x >= 0 && y >= 0 && x < width && y < height) {
        pixels[static_cast<size_t>(y) * width + x] = colour;
    }
}

void Picture::FillRectangle(int left, int top, int rectangleWidth, int rectangleHeight, Rgb colour) {
    for (int y = top; y < top + rectangleHeight; ++y) {
        for (int x = left; x < left + rectangleWidth; ++x) {
            Set(x, y, colour);
        }
    }
}

std::vector<uint8_t> EncodeBitmapFile(const Picture& picture) {
    const uint32_t rowSize = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * static_cast<uint32_t>(picture.height);
    std::vector<uint8_t> bytes;
    bytes.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
    bytes.push_back('B');
    bytes.push_back('M');
    PutLittleEndian(bytes, kFileHeaderSize + kInfoHeaderSize + imageSize, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, kFileHeaderSize + kInfoHeaderSize, 4);
    PutLittleEndian(bytes, kInfoHeaderSize, 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(picture.width), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(picture.height), 4);
    PutLittleEndian(bytes, 1, 2);   // planes
    PutLittleEndian(bytes, 24, 2);  // bits per pixel
    PutLittleEndian(bytes, 0, 4);   // no compression
    PutLittleEndian(bytes, imageSize, 4);
    PutLittleEndian(bytes, 2835, 4);  // 72 dots per inch
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& pixel = picture.pixels[static_cast<size_t>(y) * picture.width + x];
            bytes.push_back(pixel.blue);
            bytes.push_back(pixel.green);
            bytes.push_back(pixel.red);
        }
        for (uint32_t pad = static_cast<uint32_t>(picture.width) * 3; pad < rowSize; ++pad) {
            bytes.push_back(0);
        }
    }
    return bytes;
}

bool WriteBitmapFile(const std::string& path, const Picture& picture) {
    const std::vector<uint8_t> bytes = EncodeBitmapFile(picture);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
