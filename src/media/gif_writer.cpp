// gif_writer.cpp -- GIF animations through giflib: each frame holds only the rectangle that
// changed since the one before, with its own 256-colour palette chosen by the library's
// quantiser, and delays that keep the frame rate on average
#include <gif_lib.h>   // for: EGifOpen(), GifQuantizeBuffer(), EGifPutLine()
#include <math.h>      // for: lround()
#include <stdlib.h>    // for: calloc(), malloc(), free()
#include <string.h>    // for: memcmp(), memcpy()

#include "media/media_local.h"
#include "media/media_writer.h"

//------------------------------------------------------------------ the writer's state
struct GifWriterState {
  GifFileType* gif;
  unsigned char* prev;        // the frame before, top row first, w x h x 3 (NULL before the first)
  unsigned char* cur;         // the frame being written, top row first
  unsigned char* plane[3];    // red, green and blue of the changed rectangle
  unsigned char* index;       // its palette indices
};

//------------------------------------------------------------------ static helpers

static int Out(GifFileType* g, const GifByteType* buf, int n) {
  return (int)fwrite(buf, 1, (size_t)n, (FILE*)g->UserData);
}

static int GifFail(const char* what, int code) {
  return MediaFail("GIF %s failed: %s", what, GifErrorString(code));
}

// repeat forever: the application extension browsers read
static int PutLoop(GifFileType* g) {
  static const GifByteType app[11] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType loop[3] = {1, 0, 0};
  if (EGifPutExtensionLeader(g, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(g, sizeof(app), app) == GIF_ERROR ||
      EGifPutExtensionBlock(g, sizeof(loop), loop) == GIF_ERROR ||
      EGifPutExtensionTrailer(g) == GIF_ERROR)
    return -1;
  return 0;
}

// centiseconds frame k stays: the rounded times of frames k + 1 and k apart
static int Delay(int k, double fps) {
  return (int)(lround(100.0*(k + 1)/fps) - lround(100.0*k/fps));
}

// the smallest rectangle holding every pixel of cur that differs from prev; a 1 x 1 one at
// the origin when nothing changed (the frame still counts and waits)
static void Changed(const GifWriterState* s, int w, int h, int* x0, int* y0, int* x1, int* y1) {
  *x0 = 0;  *y0 = 0;  *x1 = w;  *y1 = h;
  if (!s->prev) return;
  size_t row = (size_t)w*3;
  int top = 0, bottom = h;
  while (top < h && !memcmp(s->cur + top*row, s->prev + top*row, row)) top++;
  if (top == h) {
    *x1 = 1;  *y1 = 1;
    return;
  }
  while (bottom > top && !memcmp(s->cur + (bottom - 1)*row, s->prev + (bottom - 1)*row, row))
    bottom--;
  int left = w, right = 0;
  for (int y = top; y < bottom; y++) {
    const unsigned char* a = s->cur + y*row;
    const unsigned char* b = s->prev + y*row;
    if (!memcmp(a, b, row)) continue;
    for (int x = 0; x < left; x++)
      if (memcmp(a + 3*x, b + 3*x, 3)) { left = x;  break; }
    for (int x = w - 1; x >= right; x--)
      if (memcmp(a + 3*x, b + 3*x, 3)) { right = x + 1;  break; }
  }
  *x0 = left;  *y0 = top;  *x1 = right;  *y1 = bottom;
}

//------------------------------------------------------------------ inside src/media

int GifWriterOpen(MediaWriter mw) {
  GifWriterState* s = (GifWriterState*)calloc(1, sizeof(*s));
  if (!s) return MediaFail("out of memory");
  mw->gif = s;
  size_t n = (size_t)mw->w*mw->h;
  s->prev = (unsigned char*)malloc(n*3);
  s->cur = (unsigned char*)malloc(n*3);
  s->index = (unsigned char*)malloc(n);
  for (int c = 0; c < 3; c++) s->plane[c] = (unsigned char*)malloc(n);
  if (!s->prev || !s->cur || !s->index || !s->plane[0] || !s->plane[1] || !s->plane[2])
    return MediaFail("out of memory");
  free(s->prev);   // allocated only to learn early that both frames fit
  s->prev = nullptr;
  int err = 0;
  s->gif = EGifOpen(mw->f, Out, &err);
  if (!s->gif) return GifFail("open", err);
  EGifSetGifVersion(s->gif, true);   // delays and the loop need GIF89a
  if (EGifPutScreenDesc(s->gif, mw->w, mw->h, 8, 0, nullptr) == GIF_ERROR ||
      PutLoop(s->gif) != 0)
    return GifFail("header", s->gif->Error);
  return 0;
}

int GifWriterPut(MediaWriter mw, const unsigned char* rgb, int bottom_up) {
  GifWriterState* s = mw->gif;
  int w = mw->w, h = mw->h;
  size_t row = (size_t)w*3;
  for (int y = 0; y < h; y++) memcpy(s->cur + y*row, rgb + (bottom_up ? h - 1 - y : y)*row, row);
  int x0, y0, x1, y1;
  Changed(s, w, h, &x0, &y0, &x1, &y1);
  int rw = x1 - x0, rh = y1 - y0;
  for (int y = 0; y < rh; y++) {
    const unsigned char* p = s->cur + (y0 + y)*row + 3*x0;
    for (int x = 0; x < rw; x++, p += 3)
      for (int c = 0; c < 3; c++) s->plane[c][(size_t)y*rw + x] = p[c];
  }
  GifColorType colors[256];
  int ncolors = 256;
  if (GifQuantizeBuffer(rw, rh, &ncolors, s->plane[0], s->plane[1], s->plane[2], s->index,
                        colors) == GIF_ERROR)
    return MediaFail("GIF palette of frame %d failed", mw->frames + 1);
  ColorMapObject* map = GifMakeMapObject(256, colors);
  if (!map) return MediaFail("out of memory");
  GraphicsControlBlock gcb = {DISPOSE_DO_NOT, false, Delay(mw->frames, mw->fps),
                              NO_TRANSPARENT_COLOR};
  GifByteType ext[4];
  EGifGCBToExtension(&gcb, ext);
  int rc = EGifPutExtension(s->gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
  if (rc != GIF_ERROR) rc = EGifPutImageDesc(s->gif, x0, y0, rw, rh, false, map);
  GifFreeMapObject(map);
  for (int y = 0; y < rh && rc != GIF_ERROR; y++)
    rc = EGifPutLine(s->gif, s->index + (size_t)y*rw, rw);
  if (rc == GIF_ERROR) return GifFail("frame", s->gif->Error);
  if (!s->prev) s->prev = (unsigned char*)malloc((size_t)w*h*3);
  if (!s->prev) return MediaFail("out of memory");
  unsigned char* t = s->prev;
  s->prev = s->cur;
  s->cur = t;
  return 0;
}

int GifWriterFinish(MediaWriter mw) {
  GifWriterState* s = mw->gif;
  int err = 0;
  int rc = EGifCloseFile(s->gif, &err);
  s->gif = nullptr;
  return rc == GIF_ERROR ? GifFail("end", err) : 0;
}

void GifWriterFree(MediaWriter mw) {
  GifWriterState* s = mw->gif;
  if (!s) return;
  if (s->gif) EGifCloseFile(s->gif, nullptr);
  for (int c = 0; c < 3; c++) free(s->plane[c]);
  free(s->index);
  free(s->cur);
  free(s->prev);
  free(s);
  mw->gif = nullptr;
}
