// video_writer.cpp -- MP4 (H.264, else MPEG-4 part 2) and WebM (VP8) videos through
// libavformat and libavcodec; frames turned to YUV 4:2:0 by libswscale, written to the
// caller's open file through the library's custom input-output
extern "C" {
#include <libavcodec/avcodec.h>    // for: avcodec_find_encoder_by_name(), avcodec_send_frame()
#include <libavformat/avformat.h>  // for: avformat_alloc_output_context2(), av_write_trailer()
#include <libavutil/imgutils.h>    // for: av_frame_get_buffer()
#include <libavutil/opt.h>         // for: av_opt_set()
#include <libswscale/swscale.h>    // for: sws_getContext(), sws_scale()
#include <libavutil/log.h>          // for: av_log_set_level()
}
#include <stdlib.h>   // for: calloc(), malloc(), free()
#include <string.h>   // for: strcmp(), memcpy()

#include "media/media_local.h"
#include "media/media_writer.h"

//------------------------------------------------------------------ the writer's state
struct VideoWriterState {
  AVFormatContext* fmt;
  AVIOContext* io;
  AVCodecContext* enc;
  AVStream* st;
  AVFrame* frame;
  AVPacket* pkt;
  SwsContext* sws;
  unsigned char* rgb;       // the frame put, top row first, with room behind its last row
  int header_written;
};

// the converter's vector loads may read a little past the last row of what they convert
enum { IoBufferSize = 1 << 16, RgbPadding = 64 };

// the encoders tried for each video format, best first
typedef struct _VideoCodec_ {
  int format;
  const char* muxer;
  const char* names[3];
} VideoCodec;

static const VideoCodec codecs[] = {
  {MediaMP4, "mp4", {"libx264", "mpeg4", nullptr}},
  {MediaWebM, "webm", {"libvpx", nullptr, nullptr}},
};

//------------------------------------------------------------------ static helpers

static const VideoCodec* CodecsOf(int format) {
  for (size_t i = 0; i < sizeof(codecs)/sizeof(codecs[0]); i++)
    if (codecs[i].format == format) return &codecs[i];
  return nullptr;
}

static const AVCodec* Encoder(int format) {
  const VideoCodec* c = CodecsOf(format);
  for (int k = 0; c && k < 3 && c->names[k]; k++) {
    const AVCodec* e = avcodec_find_encoder_by_name(c->names[k]);
    if (e) return e;
  }
  return nullptr;
}

static int AvFail(const char* what, int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = "";
  av_strerror(code, text, sizeof(text));
  return MediaFail("video %s failed: %s", what, text);
}

static int Write(void* opaque, uint8_t* buf, int n) {
  size_t k = fwrite(buf, 1, (size_t)n, (FILE*)opaque);
  return k == (size_t)n ? n : AVERROR(EIO);
}

static int64_t Seek(void* opaque, int64_t offset, int whence) {
  FILE* f = (FILE*)opaque;
  if (whence & AVSEEK_SIZE) {
    off_t here = ftello(f);
    if (here < 0 || fseeko(f, 0, SEEK_END) != 0) return -1;
    off_t size = ftello(f);
    fseeko(f, here, SEEK_SET);
    return size;
  }
  if (fseeko(f, (off_t)offset, whence & ~AVSEEK_FORCE) != 0) return -1;
  return ftello(f);
}

// the packets the encoder has ready into the file
static int Drain(VideoWriterState* s) {
  for (;;) {
    int rc = avcodec_receive_packet(s->enc, s->pkt);
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return 0;
    if (rc < 0) return AvFail("encoding", rc);
    av_packet_rescale_ts(s->pkt, s->enc->time_base, s->st->time_base);
    s->pkt->stream_index = s->st->index;
    rc = av_interleaved_write_frame(s->fmt, s->pkt);
    if (rc < 0) return AvFail("writing", rc);
  }
}

// the encoder's settings: quality first, then speed enough for an animation of hundreds of
// frames in seconds
static void Tune(AVCodecContext* enc, const AVCodec* codec) {
  const char* name = codec->name;
  if (!strcmp(name, "libx264")) {
    av_opt_set(enc->priv_data, "preset", "veryfast", 0);
    av_opt_set(enc->priv_data, "crf", "20", 0);
  } else if (!strcmp(name, "libvpx")) {
    av_opt_set(enc->priv_data, "deadline", "realtime", 0);
    av_opt_set(enc->priv_data, "cpu-used", "8", 0);
    av_opt_set(enc->priv_data, "crf", "8", 0);
    enc->bit_rate = 4000000;
  } else {
    enc->bit_rate = 4000000;   // MPEG-4 part 2 has no constant quality mode
    enc->qmin = 2;
    enc->qmax = 8;
  }
}

//------------------------------------------------------------------ inside src/media

const char* VideoCodecName(int format) {
  const AVCodec* e = Encoder(format);
  return e ? e->name : nullptr;
}

int VideoWriterOpen(MediaWriter mw) {
  const VideoCodec* vc = CodecsOf(mw->format);
  const AVCodec* codec = Encoder(mw->format);
  if (!vc || !codec)
    return MediaFail("no %s encoder in libavcodec", MediaFormatName(mw->format));
  av_log_set_level(AV_LOG_ERROR);   // the encoders' statistics are not the program's trace
  VideoWriterState* s = (VideoWriterState*)calloc(1, sizeof(*s));
  if (!s) return MediaFail("out of memory");
  mw->video = s;
  mw->out_w = mw->w & ~1;
  mw->out_h = mw->h & ~1;
  int rc = avformat_alloc_output_context2(&s->fmt, nullptr, vc->muxer, nullptr);
  if (rc < 0 || !s->fmt) return AvFail("container", rc);
  unsigned char* buf = (unsigned char*)av_malloc(IoBufferSize);
  if (!buf) return MediaFail("out of memory");
  s->io = avio_alloc_context(buf, IoBufferSize, 1, mw->f, nullptr, Write, Seek);
  if (!s->io) {
    av_free(buf);
    return MediaFail("out of memory");
  }
  s->fmt->pb = s->io;
  s->fmt->flags |= AVFMT_FLAG_CUSTOM_IO;
  s->st = avformat_new_stream(s->fmt, nullptr);
  s->enc = avcodec_alloc_context3(codec);
  s->frame = av_frame_alloc();
  s->pkt = av_packet_alloc();
  if (!s->st || !s->enc || !s->frame || !s->pkt) return MediaFail("out of memory");
  AVRational rate = av_d2q(mw->fps, 100000);
  s->enc->width = mw->out_w;
  s->enc->height = mw->out_h;
  s->enc->pix_fmt = AV_PIX_FMT_YUV420P;
  s->enc->framerate = rate;
  s->enc->time_base = av_inv_q(rate);
  s->enc->gop_size = 2*(int)(mw->fps + 0.5);
  if (s->fmt->oformat->flags & AVFMT_GLOBALHEADER) s->enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Tune(s->enc, codec);
  rc = avcodec_open2(s->enc, codec, nullptr);
  if (rc < 0) return AvFail("encoder", rc);
  rc = avcodec_parameters_from_context(s->st->codecpar, s->enc);
  if (rc < 0) return AvFail("stream", rc);
  s->st->time_base = s->enc->time_base;
  s->st->avg_frame_rate = rate;
  s->st->r_frame_rate = rate;
  rc = avformat_write_header(s->fmt, nullptr);
  if (rc < 0) return AvFail("header", rc);
  s->header_written = 1;
  s->frame->format = AV_PIX_FMT_YUV420P;
  s->frame->width = mw->out_w;
  s->frame->height = mw->out_h;
  rc = av_frame_get_buffer(s->frame, 0);
  if (rc < 0) return AvFail("frame", rc);
  s->sws = sws_getContext(mw->out_w, mw->out_h, AV_PIX_FMT_RGB24, mw->out_w, mw->out_h,
                          AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
  if (!s->sws) return MediaFail("no colour conversion to YUV 4:2:0");
  s->rgb = (unsigned char*)malloc((size_t)mw->w*mw->h*3 + RgbPadding);
  if (!s->rgb) return MediaFail("out of memory");
  return 0;
}

int VideoWriterPut(MediaWriter mw, const unsigned char* rgb, int bottom_up) {
  VideoWriterState* s = mw->video;
  int rc = av_frame_make_writable(s->frame);
  if (rc < 0) return AvFail("frame", rc);
  size_t stride = (size_t)mw->w*3;
  for (int y = 0; y < mw->h; y++)
    memcpy(s->rgb + y*stride, rgb + (bottom_up ? mw->h - 1 - y : y)*stride, stride);
  const uint8_t* src[1] = {s->rgb};
  int lines[1] = {(int)stride};
  sws_scale(s->sws, src, lines, 0, mw->out_h, s->frame->data, s->frame->linesize);
  s->frame->pts = mw->frames;
  rc = avcodec_send_frame(s->enc, s->frame);
  if (rc < 0) return AvFail("encoding", rc);
  return Drain(s);
}

int VideoWriterFinish(MediaWriter mw) {
  VideoWriterState* s = mw->video;
  int rc = avcodec_send_frame(s->enc, nullptr);
  if (rc < 0) return AvFail("encoding", rc);
  if (Drain(s) != 0) return -1;
  rc = av_write_trailer(s->fmt);
  s->header_written = 0;
  if (rc < 0) return AvFail("trailer", rc);
  avio_flush(s->io);
  if (s->io->error < 0) return AvFail("writing", s->io->error);
  return 0;
}

void VideoWriterFree(MediaWriter mw) {
  VideoWriterState* s = mw->video;
  if (!s) return;
  free(s->rgb);
  sws_freeContext(s->sws);
  av_packet_free(&s->pkt);
  av_frame_free(&s->frame);
  avcodec_free_context(&s->enc);
  if (s->fmt) {
    s->fmt->pb = nullptr;
    avformat_free_context(s->fmt);
  }
  if (s->io) {
    av_freep(&s->io->buffer);
    avio_context_free(&s->io);
  }
  free(s);
  mw->video = nullptr;
}
