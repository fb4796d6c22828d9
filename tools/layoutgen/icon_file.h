// Icon files: square 32-bit images with an alpha channel, written as a Windows .ico.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
};

struct IconImage {
    int size = 0;              // width and height in pixels, at most 255
    std::vector<Rgba> pixels;  // row by row from the top
};

// The bytes of an .ico file holding `images` as 32-bit bitmaps, each with the mask of its transparent pixels.
std::vector<uint8_t> EncodeIconFile(const std::vector<IconImage>& images);

// Writes `images` as an .ico file; false when the file cannot be written.
bool WriteIconFile(const std::string& path, const std::vector<IconImage>& images);

// The program's icon: a key cap carrying a tick, at 32 x 32 and 16 x 16 pixels.
std::vector<IconImage> DrawProgramIcon();
