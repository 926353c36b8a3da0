// collisions.cpp -- the current robot's collision model and what the view shows of it: the
// highlight of touching bodies, the tint inside a sphere of influence, the message line
#include "gui/view/collisions.h"

#include <stdint.h>  // for: uintptr_t
#include <stdio.h>   // for: snprintf()
#include <string.h>  // for: strcmp(), strncpy()

#include "gui/shell/hubs.h"     // for: ShowMessage(), ClearMessage(), MessageText()
#include "gui/traj/traj_panels.h"  // for: the playback flags
#include "robot/app_state.h"    // for: R, JC, ShowObstacle
#include "scene/scene_gl.h"     // for: SceneView
#include "scene/coordi_trans.h"  // for: GetWorkspaceReference()
#include "scene/obstacles.h"    // for: MoveObstacles()
#include "scene/workspace.h"    // for: ShowWorkspace, workspace_number

#include <math.h>    // for: NAN

//------------------------------------------------------------------ module state
static CollideModel model = nullptr;
static Robot model_robot = nullptr;
static uintptr_t model_print = 0;    // what the model was built from (Fingerprint)
static int user_switch = -1;         // the user's "Check collisions", -1 while never set
static int avoid_on = 0;             // "Avoid obstacles"
static char shown[112] = "";         // the pair this module put on the message line
static int run_active = 0;           // a trajectory is playing (CollisionsRunPoint)
static int run_reported = 0;         // its first touching point is on the line
static float held_q[512];            // the pose a run ended at, while its report stays
static int held = 0;

static JwColor part_tint[512];       // base, links, end effector, payload
static JwColor object_tint[WS_MAX];
static JwColor obstacle_tint[4];

//------------------------------------------------------------------ static helpers

// the bodies a robot's collision model is made from: a remade body or end effector changes it
static uintptr_t Fingerprint(Robot r) {
  uintptr_t h = (uintptr_t)r ^ ((uintptr_t)r->links << 1) ^ (uintptr_t)r->geom_type;
  for (int i = 0; i < r->n; i++) {
    const Link* l = &r->L[i];
    h = h*31 + ((uintptr_t)l->hinge ^ (uintptr_t)l->linkz ^ (uintptr_t)l->linkx ^
                (uintptr_t)l->elbow);
  }
  h = h*31 + (uintptr_t)r->EE.P + (uintptr_t)r->EE.nP + (uintptr_t)r->dEE.h1;
  return h;
}

// something besides the robot is shown
static int SceneShown(void) {
  for (int e = 0; e < 4; e++)
    if (ShowObstacle[e]) return 1;
  for (int i = 0; i < workspace_number && i < WS_MAX; i++)
    if (ShowWorkspace[i]) return 1;
  return 0;
}

// the pair shown by this module leaves the line when something else did not replace it
static void ClearOwnMessage(void) {
  if (shown[0] && !strcmp(MessageText(), shown)) ClearMessage();
  shown[0] = '\0';
}

// any trajectory playing
static int Playing(void) {
  return JointTraj_ani_fwd || JointTraj_ani_rev || CartTraj_ani_fwd || CartTraj_ani_rev;
}

// a run that no longer plays: its report stays on the line while the robot keeps the pose
// it ended at
static void EndRun(const float* q, int n) {
  if (!run_active || Playing()) return;
  run_active = 0;
  held = run_reported && n <= (int)(sizeof(held_q)/sizeof(held_q[0]));
  if (held) memcpy(held_q, q, sizeof(float)*n);
  run_reported = 0;
}

//------------------------------------------------------------------ public API

CollideModel CurrentCollideModel(void) {
  if (!R) {
    CollideFree(model);
    model = nullptr;
    model_robot = nullptr;
    return nullptr;
  }
  if (model && model_robot == R && model_print == Fingerprint(R)) return model;
  CollisionsNewRobot();
  return model;
}

void CollisionsNewRobot(void) {
  CollideFree(model);
  model = R ? CollideBuild(R) : nullptr;
  model_robot = R;
  model_print = R ? Fingerprint(R) : 0;
  SetCollideAvoid(avoid_on ? model : nullptr);
  ClearOwnMessage();
}

void SetAvoidObstacles(int on) {
  avoid_on = on ? 1 : 0;
  SetCollideAvoid(avoid_on ? CurrentCollideModel() : nullptr);
}

int AvoidObstacles(void) { return avoid_on; }

void SetCollisionsSwitch(int on) {
  user_switch = on < 0 ? -1 : (on ? 1 : 0);
  CollisionsSwitch();
}

int CollisionsSwitch(void) {
  SetCollideCheck(user_switch >= 0 ? user_switch : SceneShown());
  return GetCollideCheck();
}

void CollisionsForFrame(SceneView* v) {
  CollideModel m = (v->robot == R && v->q) ? CurrentCollideModel() : nullptr;
  if (!m || !CollisionsSwitch() || R->n + 3 > (int)(sizeof(part_tint)/sizeof(part_tint[0]))) {
    ClearOwnMessage();
    return;
  }
  CollideReport rep;
  CollideCheck(m, v->q, &rep);
  memset(part_tint, 0, sizeof(part_tint));
  memset(object_tint, 0, sizeof(object_tint));
  memset(obstacle_tint, 0, sizeof(obstacle_tint));
  for (int k = 0; k < CollideBodyCount(m); k++) {
    const CollideBody* b = CollideGetBody(m, k);
    JwColor c = b->hit ? COLLIDE_HIT_COLOR : (b->warn ? COLLIDE_WARN_COLOR : 0);
    switch (b->kind) {
      case CollideBase: part_tint[0] = c;  break;
      case CollideLink: part_tint[b->index] = c;  break;
      case CollideEffector: part_tint[R->n + 1] = c;  break;
      case CollidePayload: part_tint[R->n + 2] = c;  break;
      case CollideObject: object_tint[b->index] = c;  break;
      case CollideObstacle: obstacle_tint[b->index] = c;  break;
    }
  }
  v->part_tint = part_tint;
  v->object_tint = object_tint;
  v->obstacle_tint = obstacle_tint;
  EndRun(v->q, R->n);
  if (run_active) return;
  if (held && !memcmp(held_q, v->q, sizeof(float)*R->n)) return;
  held = 0;
  if (rep.touching == 0) {
    ClearOwnMessage();
  } else if (strcmp(shown, rep.message) != 0 || strcmp(MessageText(), rep.message) != 0) {
    snprintf(shown, sizeof(shown), "%s", rep.message);
    ShowMessage("%s", shown);
  }
}

double CurrentClearance(char* pair, int n) {
  if (pair && n > 0) pair[0] = '\0';
  CollideModel m = (R && JC) ? CurrentCollideModel() : nullptr;
  if (!m || !CollisionsSwitch()) return CollideFar;
  CollideReport rep;
  double c = CollideClearance(m, JC->q, &rep);
  if (pair && rep.near_a >= 0)
    snprintf(pair, n, "%s, %s", CollideGetBody(m, rep.near_a)->name,
             CollideGetBody(m, rep.near_b)->name);
  return c;
}

double PlotClearance(Robot r, const float* q, int point, int cartesian, int* touching) {
  *touching = 0;
  CollideModel m = (r && r == R) ? CurrentCollideModel() : nullptr;
  if (!m || !CollisionsSwitch()) return NAN;
  float keep[4][3];
  memcpy(keep, Obstacle_pos, sizeof(keep));
  if (!cartesian) MoveObstacles(point);
  CollideReport rep;
  double c = CollideClearance(m, q, &rep);
  memcpy(Obstacle_pos, keep, sizeof(keep));
  *touching = rep.touching > 0;
  if (c >= CollideFar) return rep.touching ? 0.0 : NAN;
  return c;
}

// FNV-1a over the bytes of each table in turn
static unsigned long Mix(unsigned long h, const void* data, size_t n) {
  const unsigned char* b = (const unsigned char*)data;
  for (size_t k = 0; k < n; k++) h = (h ^ b[k])*1099511628211UL;
  return h;
}

unsigned long CollisionsSceneStamp(void) {
  unsigned long h = 14695981039346656037UL;
  int sw = GetCollideCheck(), n = workspace_number;
  uintptr_t body = R ? Fingerprint(R) : 0;
  h = Mix(h, &sw, sizeof(sw));
  h = Mix(h, &body, sizeof(body));
  h = Mix(h, ShowObstacle, sizeof(ShowObstacle));
  h = Mix(h, Obstacle_info, sizeof(Obstacle_info));
  h = Mix(h, Radius, sizeof(Radius));
  h = Mix(h, SOI, sizeof(SOI));
  if (!JT.active) h = Mix(h, Obstacle_pos, sizeof(Obstacle_pos));   // still during the plot
  h = Mix(h, &n, sizeof(n));
  if (n > WS_MAX) n = WS_MAX;
  if (n > 0) {
    h = Mix(h, ShowWorkspace, sizeof(int)*n);
    h = Mix(h, ws_object_pos, sizeof(ws_object_pos[0])*n);
    h = Mix(h, ws_object_info, sizeof(ws_object_info[0])*n);
    h = Mix(h, WorkspaceType, sizeof(int)*n);
    h = Mix(h, WorkspaceAngle, sizeof(WorkspaceAngle[0])*n);
  }
  int ref = GetWorkspaceReference();
  h = Mix(h, &ref, sizeof(ref));
  h = Mix(h, &ShowPayload, sizeof(ShowPayload));
  h = Mix(h, &TypePayload, sizeof(TypePayload));
  h = Mix(h, Payload_info, sizeof(Payload_info));
  h = Mix(h, &Radius_pay, sizeof(Radius_pay));
  return h;
}

void CollisionsRunPoint(int point) {
  run_active = 1;
  held = 0;
  if (run_reported || !JC) return;
  CollideModel m = CurrentCollideModel();
  if (!m || !CollisionsSwitch()) return;
  CollideReport rep;
  if (CollideCheck(m, JC->q, &rep) == 0) return;
  ClearOwnMessage();
  ShowMessage("Point %d: %s", point, rep.message);
  run_reported = 1;
}
