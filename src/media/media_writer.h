// media_writer.h -- animations written frame by frame: GIF through giflib, MP4 and WebM
// through libavformat and libavcodec; frames are RGB pixel buffers, encoded as they come
#ifndef VELMORA_MEDIA_WRITER_H
#define VELMORA_MEDIA_WRITER_H

#include <stdio.h>  // for: FILE

// the animation formats (the export table of src/base names their extensions)
enum MediaFormat { MediaGIF = 0, MediaMP4 = 1, MediaWebM = 2 };

// frame sizes and rates the writers take
#define MEDIA_SIZE_MIN 16
#define MEDIA_SIZE_MAX 4096
#define MEDIA_FPS_MIN 1.0
#define MEDIA_FPS_MAX 60.0

// "GIF", "MP4", "WebM"; NULL for anything else
const char* MediaFormatName(int format);
// the encoder a format gets on this machine: "gif"; "libx264" for MP4 when libavcodec has it,
// else "mpeg4" (MPEG-4 part 2 in the same container); "libvpx" (VP8) for WebM; NULL when
// libavcodec has none of them
const char* MediaCodecName(int format);

typedef struct _MediaWriter_* MediaWriter;

// a writer of w x h frames shown fps times a second into f, which is open for writing (and
// seekable for MP4 and WebM: their index is written at the end); a video of odd width or
// height drops its last column or row (the codecs take even sizes). NULL after MediaFailure()
// says why: size outside MEDIA_SIZE_MIN..MEDIA_SIZE_MAX, fps outside MEDIA_FPS_MIN..MAX or
// not finite, unknown format, no encoder
MediaWriter MediaWriterOpen(FILE* f, int format, int w, int h, double fps);
// one frame of w x h pixels, 3 bytes each, rows from the top, or from the bottom when
// bottom_up (as an OpenGL read gives them); 0, or -1 after MediaFailure() says why
int MediaWriterPut(MediaWriter mw, const unsigned char* rgb, int bottom_up);
// the frames still held by the encoder and the file's end written; 0 or -1 (MediaFailure())
int MediaWriterFinish(MediaWriter mw);
// everything the writer holds; a writer not finished leaves an unusable file. NULL does nothing
void FreeMediaWriter(MediaWriter mw);
// frames put so far
int MediaWriterFrames(MediaWriter mw);
// size of the frames written: w x h, or one less where a video needed an even size
void MediaWriterSize(MediaWriter mw, int* w, int* h);

// why the last call failed ("" when nothing did)
const char* MediaFailure(void);

#endif
