// png_file.h -- an RGB image written as a PNG file
#ifndef VELMORA_PNG_FILE_H
#define VELMORA_PNG_FILE_H

#include <stdio.h>  // for: FILE

// w x h pixels of 3 bytes each into f as an 8-bit RGB PNG; bottom_up 1 when the first row
// of rgb is the image's bottom row (as the pixels of an OpenGL read come); 0 or -1
int WritePngRgb(FILE* f, const unsigned char* rgb, int w, int h, int bottom_up);

#endif
