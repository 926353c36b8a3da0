// media_decode.h -- test helpers: animations read back with the libraries that wrote them
// (giflib for GIF, libavformat and libavcodec for MP4 and WebM), frames as RGB, top row first
#ifndef VELMORA_TEST_MEDIA_DECODE_H
#define VELMORA_TEST_MEDIA_DECODE_H

#include <string>
#include <vector>

typedef std::vector<unsigned char> RgbImage;   // w x h x 3, top row first

struct DecodedMedia {
  int w = 0, h = 0;
  int frames = 0;
  double fps = 0;              // GIF: frames over the summed delays; video: the stream's rate
  std::string codec;           // the decoder's name: "gif", "h264", "mpeg4", "vp8", ...
  int loops = -1;              // GIF: the loop count of its application block (0 forever)
  std::vector<int> delays;     // GIF: centiseconds of each frame
  std::vector<RgbImage> kept;  // the frames asked for, in order
};

// decode path; keep holds the frame numbers to keep (-1: the last); false when the file
// does not decode
bool DecodeMedia(const std::string& path, DecodedMedia* out, std::vector<int> keep = {0, -1});

// a PNG file's pixels, top row first; false when it does not read
bool ReadPng(const std::string& path, int* w, int* h, RgbImage* rgb);

// mean absolute difference per channel over a and b of equal size, and the share of pixels
// where some channel differs by more than `far`
double MeanDifference(const RgbImage& a, const RgbImage& b);
double ShareFar(const RgbImage& a, const RgbImage& b, int far);

#endif
