// media_writer.cpp -- animations written frame by frame: the format table, the checks every
// writer shares, and the dispatch to the GIF and video writers
#include "media/media_writer.h"

#include <math.h>     // for: isfinite()
#include <stdarg.h>   // for: va_list
#include <stdlib.h>   // for: calloc(), free()

#include "media/media_local.h"

//------------------------------------------------------------------ module state
static char failure[256] = "";

// the formats' names, by code
static const char* names[] = {"GIF", "MP4", "WebM"};
static const int nnames = sizeof(names)/sizeof(names[0]);

//------------------------------------------------------------------ shared inside src/media

int MediaFail(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vsnprintf(failure, sizeof(failure), format, ap);
  va_end(ap);
  return -1;
}

//------------------------------------------------------------------ public API

const char* MediaFormatName(int format) {
  return format >= 0 && format < nnames ? names[format] : nullptr;
}

const char* MediaCodecName(int format) {
  if (format == MediaGIF) return "gif";
  return VideoCodecName(format);
}

MediaWriter MediaWriterOpen(FILE* f, int format, int w, int h, double fps) {
  failure[0] = '\0';
  if (!f) {
    MediaFail("no file to write");
    return nullptr;
  }
  if (!MediaFormatName(format)) {
    MediaFail("unknown animation format %d", format);
    return nullptr;
  }
  if (w < MEDIA_SIZE_MIN || h < MEDIA_SIZE_MIN || w > MEDIA_SIZE_MAX || h > MEDIA_SIZE_MAX) {
    MediaFail("frame size %d x %d outside %d to %d", w, h, MEDIA_SIZE_MIN, MEDIA_SIZE_MAX);
    return nullptr;
  }
  if (!isfinite(fps) || fps < MEDIA_FPS_MIN || fps > MEDIA_FPS_MAX) {
    MediaFail("frame rate %g outside %g to %g", fps, MEDIA_FPS_MIN, MEDIA_FPS_MAX);
    return nullptr;
  }
  MediaWriter mw = (MediaWriter)calloc(1, sizeof(*mw));
  if (!mw) {
    MediaFail("out of memory");
    return nullptr;
  }
  mw->format = format;
  mw->w = mw->out_w = w;
  mw->h = mw->out_h = h;
  mw->fps = fps;
  mw->f = f;
  int rc = format == MediaGIF ? GifWriterOpen(mw) : VideoWriterOpen(mw);
  if (rc != 0) {
    FreeMediaWriter(mw);
    return nullptr;
  }
  return mw;
}

int MediaWriterPut(MediaWriter mw, const unsigned char* rgb, int bottom_up) {
  if (!mw || !rgb) return MediaFail("no frame to write");
  int rc = mw->format == MediaGIF ? GifWriterPut(mw, rgb, bottom_up)
                                  : VideoWriterPut(mw, rgb, bottom_up);
  if (rc == 0) mw->frames++;
  return rc;
}

int MediaWriterFinish(MediaWriter mw) {
  if (!mw) return MediaFail("no writer");
  if (mw->frames == 0) return MediaFail("no frame was written");
  return mw->format == MediaGIF ? GifWriterFinish(mw) : VideoWriterFinish(mw);
}

void FreeMediaWriter(MediaWriter mw) {
  if (!mw) return;
  GifWriterFree(mw);
  VideoWriterFree(mw);
  free(mw);
}

int MediaWriterFrames(MediaWriter mw) { return mw ? mw->frames : 0; }

void MediaWriterSize(MediaWriter mw, int* w, int* h) {
  *w = mw ? mw->out_w : 0;
  *h = mw ? mw->out_h : 0;
}

const char* MediaFailure(void) { return failure; }
