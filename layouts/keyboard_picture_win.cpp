// The keyboard picture: the current layout's bitmap held in a memory device context.
#include "layouts/keyboard_picture_win.h"

HDC pictureDC = nullptr;
HBITMAP pictureBitmap = nullptr;

void ReleasePicture() {
    if (pictureDC != nullptr) {
        DeleteDC(pictureDC);
        DeleteObject(pictureBitmap);
    }
    pictureDC = nullptr;
    pictureBitmap = nullptr;
}
