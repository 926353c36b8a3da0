// anim_export.cpp -- a loaded trajectory played off screen into an animation file: the frame
// loop that the Export Animation dialog, the trajectory panels' "Record" and the figure
// command share
#include "gui/export/anim_export.h"

#define GL_GLEXT_PROTOTYPES 1
#include <FL/gl.h>      // for: GL calls
#include <GL/glext.h>   // for: glGenFramebuffers(), glGenRenderbuffers()
#include <stdarg.h>     // for: va_list
#include <stdio.h>      // for: snprintf()
#include <stdlib.h>     // for: malloc(), free()
#include <string.h>     // for: strerror(), memcpy()

#include "base/export_name.h"       // for: ExportFormatOfPath()
#include "base/fileio.h"            // for: WriteFileQuietly()
#include "gui/view/opengl_win.h"    // for: DrawViewFrame()
#include "kin/ikp.h"                // for: FwdKin()
#include "media/media_writer.h"     // for: MediaWriterOpen(), MediaWriterPut()
#include "robot/app_state.h"        // for: R, JC, CC, CT, JT, Obstacle_pos
#include "scene/obstacles.h"        // for: MoveObstacles()
#include "traj/traj_play.h"         // for: CartTrajPosePoint(), JointTrajPosePoint()

//------------------------------------------------------------------ module state
static char failure[512] = "";
static GLuint fbo = 0, colour_rb = 0, depth_rb = 0;

// what the recording changes and puts back
typedef struct _AnimSaved_ {
  float* q;                 // the robot's joints
  float* solutions;         // CT.JC[k].q of every point, n values each
  float obstacles[5][3];    // Obstacle_pos
} AnimSaved;

// the loop's working state, handed to the file body
typedef struct _AnimRun_ {
  AnimJob* job;
  int format;
  int ntp;                  // points of the trajectory played
  unsigned char* rgb;       // one frame, bottom row first
  double (*trail)[3];       // tool positions of the points played
  int ntrail;
  int media_failed;         // 1 when the writer said why
} AnimRun;

//------------------------------------------------------------------ static helpers

static int Fail(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  vsnprintf(failure, sizeof(failure), format, ap);
  va_end(ap);
  return -1;
}

static int Save(AnimSaved* s, int joint) {
  memset(s, 0, sizeof(*s));
  s->q = (float*)malloc(sizeof(float)*R->n);
  if (!s->q) return -1;
  memcpy(s->q, JC->q, sizeof(float)*R->n);
  memcpy(s->obstacles, Obstacle_pos, sizeof(s->obstacles));
  if (!joint && CT.JC) {
    s->solutions = (float*)malloc(sizeof(float)*R->n*CT.ntp);
    if (!s->solutions) return -1;
    for (int k = 0; k < CT.ntp; k++)
      if (CT.JC[k].q) memcpy(s->solutions + (size_t)k*R->n, CT.JC[k].q, sizeof(float)*R->n);
  }
  return 0;
}

static void Restore(AnimSaved* s) {
  if (s->q) {
    memcpy(JC->q, s->q, sizeof(float)*R->n);
    FwdKin(R, JC, CC);
  }
  memcpy(Obstacle_pos, s->obstacles, sizeof(s->obstacles));
  if (s->solutions)
    for (int k = 0; k < CT.ntp; k++)
      if (CT.JC[k].q) memcpy(CT.JC[k].q, s->solutions + (size_t)k*R->n, sizeof(float)*R->n);
  free(s->solutions);
  free(s->q);
}

// the line through the tool positions so far, unlit, over the scene's depth
static void DrawTrail(const AnimRun* a) {
  if (a->ntrail < 2) return;
  glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glLineWidth(2);
    glColor3f(ANIM_TRAIL_COLOR_R, ANIM_TRAIL_COLOR_G, ANIM_TRAIL_COLOR_B);
    glBegin(GL_LINE_STRIP);
      for (int i = 0; i < a->ntrail; i++) glVertex3dv(a->trail[i]);
    glEnd();
  glPopAttrib();
}

// the writer's format of an animation file's format code; -1 for a code of no animation
static int MediaFormatOf(int export_format) {
  static const int pairs[3][2] = {{ExportGIF, MediaGIF}, {ExportMP4, MediaMP4},
                                  {ExportWebM, MediaWebM}};
  for (int i = 0; i < 3; i++)
    if (pairs[i][0] == export_format) return pairs[i][1];
  return -1;
}

// one frame of the current state in the view's square viewport, as the view draws it
static void DrawFrame(const AnimRun* a) {
  AnimJob* job = a->job;
  glViewport(0, 0, job->w, job->w);
  DrawViewFrame();
  if (job->trail) DrawTrail(a);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, job->w, job->h, GL_RGB, GL_UNSIGNED_BYTE, a->rgb);
}

// point p posed; the Cartesian points from `from` to p solved in turn. 1 when p's solve failed
static int PosePoints(AnimRun* a, int from, int p) {
  int failed = 0;
  for (int k = from; k <= p; k++) {
    if (a->job->joint) {
      JointTrajPosePoint(R, JC, CC, &JT, k);
      MoveObstacles(k);
    } else {
      failed = CartTrajPosePoint(R, JC, CC, &CT, k) < 0;
    }
    memcpy(a->trail[a->ntrail++], CC->r, sizeof(a->trail[0]));
  }
  return failed;
}

// the file's contents: every frame drawn, read and encoded in turn
static int Body(FILE* f, const void* data) {
  AnimRun* a = (AnimRun*)data;
  AnimJob* job = a->job;
  MediaWriter mw = MediaWriterOpen(f, a->format, job->w, job->h, job->fps);
  if (!mw) {
    a->media_failed = 1;
    return -1;
  }
  int total = AnimFrameCount(a->ntp, job->every);
  int next = 0, rc = 0;
  for (int i = 0; i < total && rc == 0; i++) {
    int p = i*job->every;
    job->unreachable += PosePoints(a, next, p);
    next = p + 1;
    DrawFrame(a);
    if (MediaWriterPut(mw, a->rgb, 1) != 0) {
      a->media_failed = 1;
      rc = -1;
      break;
    }
    job->frames++;
    if (job->progress && job->progress(job->frames, total, job->user)) {
      job->cancelled = 1;
      rc = -1;
    }
  }
  if (rc == 0 && MediaWriterFinish(mw) != 0) {
    a->media_failed = 1;
    rc = -1;
  }
  FreeMediaWriter(mw);
  return rc;
}

//------------------------------------------------------------------ public API

int AnimFrameCount(int ntp, int every) {
  if (ntp < 1 || every < 1) return 0;
  return (ntp - 1)/every + 1;
}

int AnimRecord(AnimJob* job) {
  failure[0] = '\0';
  job->frames = job->unreachable = job->cancelled = 0;
  AnimRun a;
  memset(&a, 0, sizeof(a));
  a.job = job;
  a.format = MediaFormatOf(ExportFormatOfPath(job->path));
  if (a.format < 0) {
    char list[64];
    return Fail("%s: the extension names no animation (%s)", job->path,
                ExportFormatList(list, sizeof(list), ExportListAnimation, " or "));
  }
  if (!R || !JC || !CC) return Fail("no robot loaded");
  if (job->every < 1) return Fail("every k-th point: k is at least 1");
  a.ntp = job->joint ? (JT.active ? JT.ntp : 0) : (CT.active ? CT.ntp : 0);
  if (a.ntp < 1) return Fail("no %s trajectory loaded", job->joint ? "joint" : "Cartesian");
  AnimSaved saved;
  a.rgb = (unsigned char*)malloc((size_t)job->w*job->h*3);
  a.trail = (double(*)[3])malloc(sizeof(double[3])*a.ntp);
  if (!a.rgb || !a.trail || Save(&saved, job->joint) != 0) {
    free(a.rgb);
    free(a.trail);
    return Fail("out of memory");
  }
  int e = WriteFileQuietly(job->path, Body, &a);
  Restore(&saved);
  free(a.trail);
  free(a.rgb);
  if (e == 0) return 0;
  if (job->cancelled) return Fail("cancelled: %s not written", job->path);
  if (a.media_failed) return Fail("%s not written: %s", job->path, MediaFailure());
  return Fail("%s not written: %s", job->path, strerror(e));
}

const char* AnimFailure(void) { return failure; }

int AnimOffscreenBegin(int w, int h) {
  while (glGetError() != GL_NO_ERROR) {}
  glGenFramebuffers(1, &fbo);
  glGenRenderbuffers(1, &colour_rb);
  glGenRenderbuffers(1, &depth_rb);
  glBindRenderbuffer(GL_RENDERBUFFER, colour_rb);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
  glBindRenderbuffer(GL_RENDERBUFFER, depth_rb);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, w, h);
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_rb);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_rb);
  if (glGetError() != GL_NO_ERROR ||
      glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    AnimOffscreenEnd();
    return -1;
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  return 0;
}

void AnimOffscreenBind(int on) {
  glBindFramebuffer(GL_FRAMEBUFFER, on ? fbo : 0);
  glDrawBuffer(on ? GL_COLOR_ATTACHMENT0 : GL_BACK);
  glReadBuffer(on ? GL_COLOR_ATTACHMENT0 : GL_BACK);
}

void AnimOffscreenEnd(void) {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (fbo) glDeleteFramebuffers(1, &fbo);
  if (colour_rb) glDeleteRenderbuffers(1, &colour_rb);
  if (depth_rb) glDeleteRenderbuffers(1, &depth_rb);
  fbo = colour_rb = depth_rb = 0;
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
}
