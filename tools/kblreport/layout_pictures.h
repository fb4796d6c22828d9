// The layouts the records name, loaded for the heat map: each key's rectangle from the layout file, read by
// the tester's own reader and builder, and the keyboard picture beside it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct KeyRectangle {
    std::string label;  // in UTF-8, as the records name the key
    int32_t left = 0;   // in the picture's 700 x 340 area
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

struct LayoutPicture {
    std::string layoutFile;  // US.kbl, as the records name it
    std::string note;        // why the keys or the picture are missing; "" when both were loaded
    std::string bitmap;      // the bytes of the picture's .bmp file; empty without one
    int32_t width = 0;       // the picture's size in pixels
    int32_t height = 0;
    std::vector<KeyRectangle> keys;
};

// The width and height of the bitmap file `bytes`; false when it does not start as a bitmap file.
bool ReadBitmapSize(const std::string& bytes, int32_t& width, int32_t& height);

// True when `name` is a bare layout file name that the tester could have written: NAME.kbl with no folder,
// drive or control character in it, and no name Windows keeps for a device (CON.kbl would be the console).
bool IsBareLayoutName(const std::string& name);

// Loads the layout file `layoutFile` from `folder` and its picture, the layout's name with .bmp, beside it. A
// name that is no bare layout file name is not opened: a record names a layout, never a path.
LayoutPicture LoadLayoutPicture(const std::string& folder, const std::string& layoutFile);
