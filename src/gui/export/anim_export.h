// anim_export.h -- a loaded trajectory played off screen into an animation file: the frame
// loop that the Export Animation dialog, the trajectory panels' "Record" and the figure
// command share
#ifndef VELMORA_GUI_ANIM_EXPORT_H
#define VELMORA_GUI_ANIM_EXPORT_H

// frame rate and point step of a new animation
#define ANIM_FPS_DEFAULT 30.0
#define ANIM_EVERY_DEFAULT 1

// the end-effector trail: a line through the tool positions of the points played so far
#define ANIM_TRAIL_COLOR_R 1.0f
#define ANIM_TRAIL_COLOR_G 0.85f
#define ANIM_TRAIL_COLOR_B 0.0f

// what to record and, after AnimRecord, what came of it
typedef struct _AnimJob_ {
  const char* path;          // the file; its extension names the format (.gif, .mp4, .webm)
  int w, h;                  // frame size in pixels
  double fps;                // frames per second
  int every;                 // every k-th point of the trajectory becomes a frame
  int trail;                 // 1: the end-effector trail is drawn
  int joint;                 // 1: the joint trajectory JT; 0: the Cartesian trajectory CT
  // after each frame: frames done and the total; a non-zero return cancels the recording
  int (*progress)(int done, int total, void* user);
  void* user;
  // results
  int frames;                // frames written (also when it failed: the frames put)
  int unreachable;           // frames whose point the solver did not reach
  int cancelled;             // 1 when progress cancelled it
} AnimJob;

// frames of a trajectory of ntp points played every k-th point, first and every k-th after:
// (ntp - 1)/k + 1, 0 without points
int AnimFrameCount(int ntp, int every);

// Play the trajectory the job names from the robot's current pose, as continuous playback
// would (Cartesian points solved one after the other from the pose before, the robot keeping
// what the solver left where it fails; joint points posed with the obstacles moved to them),
// drawing every k-th point as the view draws its frames (DrawViewFrame) with a GL context
// current whose draw and read buffer holds at least w x h pixels, each frame encoded as it
// is drawn. The file is written through a temporary one
// renamed over it: a failure or a cancel leaves no file (and an old one in place). The robot's
// pose, the trajectory's recorded solutions and the obstacles are put back afterwards.
// 0 when the file was written; -1 with the reason in AnimFailure()
int AnimRecord(AnimJob* job);
const char* AnimFailure(void);

// an off-screen colour and depth buffer of w x h pixels in the current context, bound for
// drawing and reading: 0, or -1 when the context has none
int AnimOffscreenBegin(int w, int h);
// 1: the off-screen buffer bound again; 0: the window's own buffers meanwhile
void AnimOffscreenBind(int on);
// the buffer freed and the window's own buffers bound again
void AnimOffscreenEnd(void);

#endif
