// media_local.h -- what the format writers share inside src/media: the writer record and the
// failure text
#ifndef VELMORA_MEDIA_LOCAL_H
#define VELMORA_MEDIA_LOCAL_H

#include <stdio.h>  // for: FILE

struct GifFileType;
struct GifWriterState;
struct VideoWriterState;

// one writer of either kind; the format's own state in gif or video
struct _MediaWriter_ {
  int format;
  int w, h;                 // frame size given
  int out_w, out_h;         // frame size written
  double fps;
  int frames;               // frames put
  FILE* f;
  GifWriterState* gif;
  VideoWriterState* video;
};

// the failure text of the module, printf style; returns -1
int MediaFail(const char* format, ...);

typedef struct _MediaWriter_* MediaWriterPtr;

// the GIF side (gif_writer.cpp): 0 or -1 after MediaFail
int GifWriterOpen(MediaWriterPtr mw);
int GifWriterPut(MediaWriterPtr mw, const unsigned char* rgb, int bottom_up);
int GifWriterFinish(MediaWriterPtr mw);
void GifWriterFree(MediaWriterPtr mw);

// the video side (video_writer.cpp)
int VideoWriterOpen(MediaWriterPtr mw);
int VideoWriterPut(MediaWriterPtr mw, const unsigned char* rgb, int bottom_up);
int VideoWriterFinish(MediaWriterPtr mw);
void VideoWriterFree(MediaWriterPtr mw);
// the libavcodec encoder name of a video format, NULL when none is available
const char* VideoCodecName(int format);

#endif
