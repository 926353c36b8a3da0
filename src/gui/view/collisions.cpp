// collisions.cpp -- the current robot's collision model and what the view shows of it: the
// highlight of touching bodies, the tint inside a sphere of influence, the message line
#include "gui/view/collisions.h"

#include <stdint.h>  // for: uintptr_t
#include <stdio.h>   // for: snprintf()
#include <string.h>  // for: strcmp(), strncpy()

#include "gui/shell/hubs.h"     // for: ShowMessage(), ClearMessage(), MessageText()
#include "robot/app_state.h"    // for: R, JC, ShowObstacle
#include "scene/scene_gl.h"     // for: SceneView
#include "scene/workspace.h"    // for: ShowWorkspace, workspace_number

//------------------------------------------------------------------ module state
static CollideModel model = nullptr;
static Robot model_robot = nullptr;
static uintptr_t model_print = 0;    // what the model was built from (Fingerprint)
static int user_switch = -1;         // the user's "Check collisions", -1 while never set
static char shown[112] = "";         // the pair this module put on the message line

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
  ClearOwnMessage();
}

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
