// The .ico container: a directory of entries, then for each image a bitmap header, its pixels bottom-up in
// blue, green, red, alpha order, and the one-bit mask that marks the fully transparent pixels.
#include "tools/layoutgen/icon_file.h"

#include "tools/common/output_file.h"

namespace {

constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr uint32_t kBitmapHeaderSize = 40;

// Fields of the file are little-endian.
void PutWord(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void PutDoubleWord(std::vector<uint8_t>& bytes, uint32_t value) {
    PutWord(bytes, value & 0xFFFF);
    PutWord(bytes, value >> 16);
}

uint32_t MaskRowSize(int size) {
    return ((static_cast<uint32_t>(size) + 31) / 32) * 4;
}

uint32_t ImageDataSize(const IconImage& image) {
    const uint32_t side = static_cast<uint32_t>(image.size);
    return kBitmapHeaderSize + side * side * 4 + MaskRowSize(image.size) * side;
}

void PutImageData(std::vector<uint8_t>& bytes, const IconImage& image) {
    const uint32_t side = static_cast<uint32_t>(image.size);
    PutDoubleWord(bytes, kBitmapHeaderSize);
    PutDoubleWord(bytes, side);
    PutDoubleWord(bytes, side * 2);  // colour rows and mask rows
    PutWord(bytes, 1);               // planes
    PutWord(bytes, 32);              // bits per pixel
    PutDoubleWord(bytes, 0);         // no compression
    PutDoubleWord(bytes, ImageDataSize(image) - kBitmapHeaderSize);
    for (int i = 0; i < 4; ++i) {
        PutDoubleWord(bytes, 0);  // resolution and palette: unused
    }
    for (int y = image.size - 1; y >= 0; --y) {
        for (int x = 0; x < image.size; ++x) {
            const Rgba& pixel = image.pixels[static_cast<size_t>(y) * image.size + x];
            bytes.insert(bytes.end(), {pixel.blue, pixel.green, pixel.red, pixel.alpha});
        }
    }
    for (int y = image.size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(MaskRowSize(image.size), 0);
        for (int x = 0; x < image.size; ++x) {
            if (image.pixels[static_cast<size_t>(y) * image.size + x].alpha == 0) {
                row[static_cast<size_t>(x) / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<uint8_t> EncodeIconFile(const std::vector<IconImage>& images) {
    std::vector<uint8_t> bytes;
    PutWord(bytes, 0);  // reserved
    PutWord(bytes, 1);  // an icon, not a cursor
    PutWord(bytes, static_cast<uint32_t>(images.size()));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(images.size());
    for (const IconImage& image : images) {
        bytes.push_back(static_cast<uint8_t>(image.size));
        bytes.push_back(static_cast<uint8_t>(image.size));
        bytes.push_back(0);  // no palette
        bytes.push_back(0);
        PutWord(bytes, 1);   // planes
        PutWord(bytes, 32);  // bits per pixel
        PutDoubleWord(bytes, ImageDataSize(image));
        PutDoubleWord(bytes, offset);
        offset += ImageDataSize(image);
    }
    for (const IconImage& image : images) {
        PutImageData(bytes, image);
    }
    return bytes;
}

bool WriteIconFile(const std::string& path, const std::vector<IconImage>& images) {
    const std::vector<uint8_t> bytes = EncodeIconFile(images);
    return WriteWholeFile(path, bytes.data(), bytes.size());
}
