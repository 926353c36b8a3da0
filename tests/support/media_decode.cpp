// media_decode.cpp -- test helpers: animations read back with the libraries that wrote them
#include "media_decode.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}
#include <gif_lib.h>
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

//------------------------------------------------------------------ static helpers

static bool Wanted(const std::vector<int>& keep, int k, int last) {
  for (int i : keep)
    if (i == k || (i == -1 && k == last)) return true;
  return false;
}

// every image composited over the ones before (frames of the rectangle that changed)
static bool DecodeGif(const std::string& path, DecodedMedia* out, const std::vector<int>& keep) {
  int err = 0;
  GifFileType* g = DGifOpenFileName(path.c_str(), &err);
  if (!g) return false;
  if (DGifSlurp(g) != GIF_OK) {
    DGifCloseFile(g, &err);
    return false;
  }
  out->w = g->SWidth;  out->h = g->SHeight;  out->frames = g->ImageCount;  out->codec = "gif";
  RgbImage canvas((size_t)out->w*out->h*3, 0);
  long cs = 0;
  for (int k = 0; k < g->ImageCount; k++) {
    SavedImage* im = &g->SavedImages[k];
    GraphicsControlBlock gcb;
    if (DGifSavedExtensionToGCB(g, k, &gcb) == GIF_OK) {
      out->delays.push_back(gcb.DelayTime);
      cs += gcb.DelayTime;
    }
    for (int e = 0; e < im->ExtensionBlockCount; e++) {
      ExtensionBlock* b = &im->ExtensionBlocks[e];
      if (b->Function == APPLICATION_EXT_FUNC_CODE && b->ByteCount == 11 &&
          !memcmp(b->Bytes, "NETSCAPE2.0", 11) && e + 1 < im->ExtensionBlockCount &&
          im->ExtensionBlocks[e + 1].ByteCount == 3)
        out->loops = im->ExtensionBlocks[e + 1].Bytes[1] | im->ExtensionBlocks[e + 1].Bytes[2] << 8;
    }
    ColorMapObject* map = im->ImageDesc.ColorMap ? im->ImageDesc.ColorMap : g->SColorMap;
    const GifImageDesc& d = im->ImageDesc;
    for (int y = 0; y < d.Height && map; y++)
      for (int x = 0; x < d.Width; x++) {
        int X = d.Left + x, Y = d.Top + y;
        if (X >= out->w || Y >= out->h) continue;
        GifColorType c = map->Colors[im->RasterBits[(size_t)y*d.Width + x] % map->ColorCount];
        unsigned char* p = &canvas[((size_t)Y*out->w + X)*3];
        p[0] = c.Red;  p[1] = c.Green;  p[2] = c.Blue;
      }
    if (Wanted(keep, k, g->ImageCount - 1)) out->kept.push_back(canvas);
  }
  out->fps = cs > 0 ? out->frames*100.0/cs : 0;
  DGifCloseFile(g, &err);
  return true;
}

static bool DecodeVideo(const std::string& path, DecodedMedia* out, const std::vector<int>& keep) {
  AVFormatContext* fmt = nullptr;
  if (avformat_open_input(&fmt, path.c_str(), nullptr, nullptr) < 0) return false;
  bool ok = false;
  AVCodecContext* dec = nullptr;
  AVFrame* frame = av_frame_alloc();
  AVPacket* pkt = av_packet_alloc();
  SwsContext* sws = nullptr;
  RgbImage last;
  int si = -1;
  if (avformat_find_stream_info(fmt, nullptr) >= 0 &&
      (si = av_find_best_stream(fmt, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0)) >= 0) {
    AVStream* st = fmt->streams[si];
    const AVCodec* c = avcodec_find_decoder(st->codecpar->codec_id);
    dec = c ? avcodec_alloc_context3(c) : nullptr;
    if (dec && avcodec_parameters_to_context(dec, st->codecpar) >= 0 &&
        avcodec_open2(dec, c, nullptr) >= 0) {
      out->w = dec->width;  out->h = dec->height;  out->codec = c->name;
      out->fps = av_q2d(st->avg_frame_rate);
      ok = true;
      int w = out->w, h = out->h;
      RgbImage rgb((size_t)w*h*3 + 64);   // the converter writes a little past the end
      auto take = [&]() {
        while (avcodec_receive_frame(dec, frame) >= 0) {
          sws = sws_getCachedContext(sws, w, h, (AVPixelFormat)frame->format, w, h,
                                     AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr, nullptr);
          uint8_t* dst[1] = {rgb.data()};
          int lines[1] = {w*3};
          sws_scale(sws, frame->data, frame->linesize, 0, h, dst, lines);
          last.assign(rgb.begin(), rgb.begin() + (size_t)w*h*3);
          for (int i : keep)
            if (i == out->frames) out->kept.push_back(last);
          out->frames++;
        }
      };
      while (av_read_frame(fmt, pkt) >= 0) {
        if (pkt->stream_index == si) avcodec_send_packet(dec, pkt);
        av_packet_unref(pkt);
        take();
      }
      avcodec_send_packet(dec, nullptr);
      take();
    }
  }
  if (std::find(keep.begin(), keep.end(), -1) != keep.end() && out->frames)
    out->kept.push_back(last);
  sws_freeContext(sws);
  av_packet_free(&pkt);
  av_frame_free(&frame);
  avcodec_free_context(&dec);
  avformat_close_input(&fmt);
  return ok;
}

//------------------------------------------------------------------ public API

bool DecodeMedia(const std::string& path, DecodedMedia* out, std::vector<int> keep) {
  *out = DecodedMedia();
  size_t dot = path.rfind('.');
  if (dot != std::string::npos && path.substr(dot) == ".gif") return DecodeGif(path, out, keep);
  return DecodeVideo(path, out, keep);
}

bool ReadPng(const std::string& path, int* w, int* h, RgbImage* rgb) {
  png_image im;
  memset(&im, 0, sizeof(im));
  im.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&im, path.c_str())) return false;
  im.format = PNG_FORMAT_RGB;
  rgb->resize(PNG_IMAGE_SIZE(im));
  if (!png_image_finish_read(&im, nullptr, rgb->data(), 0, nullptr)) return false;
  *w = (int)im.width;  *h = (int)im.height;
  return true;
}

double MeanDifference(const RgbImage& a, const RgbImage& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double s = 0;
  for (size_t i = 0; i < a.size(); i++) s += abs((int)a[i] - (int)b[i]);
  return s/a.size();
}

double ShareFar(const RgbImage& a, const RgbImage& b, int far) {
  if (a.size() != b.size() || a.empty()) return 1;
  long n = 0;
  for (size_t i = 0; i < a.size(); i += 3)
    n += abs(a[i] - b[i]) > far || abs(a[i + 1] - b[i + 1]) > far ||
         abs(a[i + 2] - b[i + 2]) > far;
  return (double)n/(a.size()/3);
}
