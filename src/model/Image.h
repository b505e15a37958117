#pragma once

#include <cstdint>

// Decodes media/<fileName> (.jpg or .bmp, any case). The buffer holds width x
// height pixels of 3 bytes (blue, green, red), top row first, rows packed
// (row r starts at byte 3 * width * r) whatever the width, for JPEG and BMP files
// alike: whoever hands it to an API that wants rows padded to 4 bytes must pad
// them. It is allocated with malloc at 4 bytes per pixel (room to widen each
// pixel in place), and the caller frees it with free. Null (and no message) when
// the file is missing, of another kind, damaged or cut short, or when its header
// claims a size beyond the rule of model/ImageSize.h. The file is read whole and
// decoded from memory (model/JpegImage.h, model/BmpImage.h).
std::uint8_t* loadImage(const char* fileName, int& width, int& height);
