// png_file.cpp -- an RGB image written as a PNG file
#include "base/png_file.h"

#include <png.h>     // for: png_create_write_struct(), png_write_row()
#include <setjmp.h>  // for: setjmp(): the library's way out of a failed write

//------------------------------------------------------------------ public API

int WritePngRgb(FILE* f, const unsigned char* rgb, int w, int h, int bottom_up) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return -1;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return -1;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < h; y++) {
    int row = bottom_up ? h - 1 - y : y;
    png_write_row(png, (png_const_bytep)(rgb + (size_t)row*w*3));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return 0;
}
