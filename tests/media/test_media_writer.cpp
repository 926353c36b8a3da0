// test_media_writer.cpp -- covers src/media: frames written as GIF, MP4 and WebM and read
// back by the libraries' own decoders (count, size, rate, pixels), and the refusals
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/fileio.h"
#include "media/media_writer.h"
#include "support/data_copy.h"
#include "support/media_decode.h"

//------------------------------------------------------------------ helpers

// frame k of a w x h test film, top row first: a dark blue field, a red square of side h/3
// moving right by 4 pixels a frame, a fixed yellow bar across the bottom quarter
static RgbImage Film(int w, int h, int k) {
  RgbImage im((size_t)w*h*3);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      unsigned char* p = &im[((size_t)y*w + x)*3];
      int side = h/3, x0 = 4*k, y0 = h/6;
      if (y >= h - h/4) { p[0] = 240;  p[1] = 210;  p[2] = 20; }
      else if (x >= x0 && x < x0 + side && y >= y0 && y < y0 + side) {
        p[0] = 220;  p[1] = 30;  p[2] = 30;
      } else { p[0] = 10;  p[1] = 20;  p[2] = 90; }
    }
  return im;
}

// the same rows from the bottom up, as an OpenGL read gives them
static RgbImage Flipped(const RgbImage& im, int w, int h) {
  RgbImage f(im.size());
  for (int y = 0; y < h; y++)
    memcpy(&f[(size_t)y*w*3], &im[(size_t)(h - 1 - y)*w*3], (size_t)w*3);
  return f;
}

typedef struct _FilmJob_ {
  int format, w, h, n;
  double fps;
  int bottom_up;
  int fail_at;        // the body gives up before this frame (-1 never)
} FilmJob;

static int FilmBody(FILE* f, const void* data) {
  const FilmJob* j = (const FilmJob*)data;
  MediaWriter mw = MediaWriterOpen(f, j->format, j->w, j->h, j->fps);
  if (!mw) return -1;
  int rc = 0;
  for (int k = 0; k < j->n && rc == 0; k++) {
    if (k == j->fail_at) rc = -1;
    RgbImage im = Film(j->w, j->h, k);
    if (rc == 0) rc = MediaWriterPut(mw, (j->bottom_up ? Flipped(im, j->w, j->h) : im).data(),
                                     j->bottom_up);
  }
  if (rc == 0) rc = MediaWriterFinish(mw);
  FreeMediaWriter(mw);
  return rc;
}

// the regular files of the working directory, hidden ones too (a temporary file is hidden)
static std::string FilesHere() {
  std::vector<std::string> names;
  if (DIR* d = opendir(".")) {
    while (struct dirent* e = readdir(d)) {
      struct stat st;
      if (stat(e->d_name, &st) == 0 && S_ISREG(st.st_mode)) names.push_back(e->d_name);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  std::string s;
  for (auto& n : names) s += n + "\n";
  return s;
}

class Media : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override { dir = EnterDataCopy(0); }
  void TearDown() override { LeaveDataCopy(dir); }
};

//------------------------------------------------------------------ tests

// 12 frames at 30 a second, given bottom row first: 12 frames of 96 x 64 come back; the
// delays of 3 and 4 centiseconds add up to 12/30 s = 40 cs; it loops forever; the first and
// last frames match the film within the palette's rounding (5 bits a channel: below 8)
TEST_F(Media, GifFramesSizeRateAndPixels) {
  FilmJob j = {MediaGIF, 96, 64, 12, 30.0, 1, -1};
  ASSERT_EQ(WriteFileQuietly("film.gif", FilmBody, &j), 0) << MediaFailure();
  DecodedMedia d;
  ASSERT_TRUE(DecodeMedia("film.gif", &d));
  EXPECT_EQ(d.frames, 12);
  EXPECT_EQ(d.w, 96);  EXPECT_EQ(d.h, 64);
  int cs = 0;
  for (int t : d.delays) {
    EXPECT_TRUE(t == 3 || t == 4) << t;
    cs += t;
  }
  EXPECT_EQ(cs, 40);
  EXPECT_EQ(d.loops, 0);
  ASSERT_EQ(d.kept.size(), 2u);
  EXPECT_EQ(ShareFar(d.kept[0], Film(96, 64, 0), 8), 0.0);
  EXPECT_EQ(ShareFar(d.kept[1], Film(96, 64, 11), 8), 0.0);
  EXPECT_GT(ShareFar(d.kept[1], Film(96, 64, 0), 8), 0.05);   // the square did move
}

// the two video formats: count, size, rate and pixels within the codec's loss; an odd size
// loses its last column and row
TEST_F(Media, VideosFramesSizeRateAndPixels) {
  const int formats[2] = {MediaMP4, MediaWebM};
  const char* names[2] = {"film.mp4", "film.webm"};
  for (int i = 0; i < 2; i++) {
    FilmJob j = {formats[i], 96, 64, 20, 25.0, i == 0, -1};
    ASSERT_EQ(WriteFileQuietly(names[i], FilmBody, &j), 0) << MediaFailure();
    DecodedMedia d;
    ASSERT_TRUE(DecodeMedia(names[i], &d)) << names[i];
    EXPECT_EQ(d.frames, 20) << names[i];
    EXPECT_EQ(d.w, 96);  EXPECT_EQ(d.h, 64);
    EXPECT_NEAR(d.fps, 25.0, 1e-9) << names[i];
    ASSERT_EQ(d.kept.size(), 2u);
    EXPECT_LT(MeanDifference(d.kept[0], Film(96, 64, 0)), 5) << names[i];
    EXPECT_LT(MeanDifference(d.kept[1], Film(96, 64, 19)), 5) << names[i];
    EXPECT_GT(MeanDifference(d.kept[1], Film(96, 64, 0)), 10) << names[i];
  }
  EXPECT_EQ(std::string(MediaCodecName(MediaMP4)), std::string("libx264"));
  FilmJob odd = {MediaMP4, 33, 17, 2, 10.0, 0, -1};
  ASSERT_EQ(WriteFileQuietly("odd.mp4", FilmBody, &odd), 0) << MediaFailure();
  DecodedMedia d;
  ASSERT_TRUE(DecodeMedia("odd.mp4", &d));
  EXPECT_EQ(d.w, 32);  EXPECT_EQ(d.h, 16);
  EXPECT_EQ(d.codec, "h264");
}

// sizes, rates and formats out of range are refused with their reason; a body that gives up
// half-way or a full disk leave no file, and an old file keeps its bytes
TEST_F(Media, RefusalsAndFailedWritesLeaveNoFile) {
  FILE* f = fopen("x.gif", "wb");
  EXPECT_EQ(MediaWriterOpen(f, MediaGIF, 0, 0, 30), nullptr);
  EXPECT_STREQ(MediaFailure(), "frame size 0 x 0 outside 16 to 4096");
  EXPECT_EQ(MediaWriterOpen(f, MediaGIF, 64, 64, 0), nullptr);
  EXPECT_STREQ(MediaFailure(), "frame rate 0 outside 1 to 60");
  EXPECT_EQ(MediaWriterOpen(f, MediaMP4, 64, 64, NAN), nullptr);
  EXPECT_EQ(MediaWriterOpen(f, 7, 64, 64, 30), nullptr);
  EXPECT_STREQ(MediaFailure(), "unknown animation format 7");
  MediaWriter mw = MediaWriterOpen(f, MediaGIF, 64, 64, 30);
  ASSERT_NE(mw, nullptr);
  EXPECT_EQ(MediaWriterFinish(mw), -1);   // not a single frame
  EXPECT_STREQ(MediaFailure(), "no frame was written");
  FreeMediaWriter(mw);
  fclose(f);
  unlink("x.gif");

  ASSERT_EQ(WriteTextFile("old.mp4", "old"), 0);
  for (int format : {MediaGIF, MediaMP4}) {
    FilmJob j = {format, 64, 64, 10, 30.0, 0, 5};
    EXPECT_NE(WriteFileQuietly("half.gif", FilmBody, &j), 0);
    EXPECT_NE(WriteFileQuietly("old.mp4", FilmBody, &j), 0);
  }
  EXPECT_EQ(FilesHere(), "old.mp4\n");
  EXPECT_EQ(ReadTextFile("old.mp4"), "old");

  for (int format : {MediaGIF, MediaMP4}) {   // every write of the encoder refused
    FILE* full = fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    setvbuf(full, nullptr, _IONBF, 0);
    FilmJob j = {format, 64, 64, 10, 30.0, 0, -1};
    EXPECT_NE(FilmBody(full, &j), 0);
    EXPECT_STRNE(MediaFailure(), "");
    fclose(full);
  }
}
