// Pictures in memory and their writing as uncompressed 24-bit bitmap files, for the tools and tests that
// make layout pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row from the top

    Picture(int pictureWidth, int pictureHeight, Rgb background);
    void Set(int x, int y, Rgb colour);  // ignores points outside the picture
    void FillRectangle(int left, int top, int rectangleWidth, int rectangleHeight, Rgb colour);
};

// The bytes of a bottom-up 24-bit bitmap file holding `picture`.
std::vector<uint8_t> EncodeBitmapFile(const Picture& picture);

// Writes `picture` as a bitmap file; false when the file cannot be written.
bool WriteBitmapFile(const std::string& path, const Picture& picture);
