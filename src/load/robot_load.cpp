// robot_load.cpp -- the load transaction: a robot file read and prepared (bodies, lengths,
// model), and the current robot replaced by it, without any window
#include "load/robot_load.h"

#include "robot/app_state.h"   // for: R, JC, CC, JT, CT, scale, allRevolute
#include "robot/charlen.h"     // for: RobotCharacteristicLength()
#include "robot/jconfig.h"     // for: InterpolateConfig_ani
#include "robot/reader.h"      // for: ReadRobotRecord(), FinishRobotRecord()
#include "base/message.h"      // for: VmMessage()
#include "kin/ikp.h"           // for: CartesianConfigFromRobot()
#include "links/links.h"       // for: MakeLinks(), MakeEE(), LinkMatchName()
#include "scene/workspace.h"   // for: ResetWorkspace()

//------------------------------------------------------------------ module state
static void (*menu_hook)(int active) = nullptr;

//------------------------------------------------------------------ public API: reading

// the preparation after the parse: length, bodies, end effector, model
static Robot Prepare(Robot r) {
  if (!r) return nullptr;
  if (allRevolute) {
    VmMessage(MsgTrace, "The avg_length is: %f \n", r->avg_len);
    RobotCharacteristicLength(r);   // length, reach, the m_ globals, avg_len, rad
    if (menu_hook) menu_hook(1);
  } else if (menu_hook) {
    menu_hook(0);
  }
  FinishRobotRecord(r, allRevolute);
  int n = r->n;
  MakeLinks(n, r->L, r->rad, r->geom_type);
  MakeEE(&r->dEE, r->rad, r->L[n - 1].a, r->L[n - 1].b);
  LinkMatchName(r);
  return r;
}

Robot ReadRobot(const char* name) { return Prepare(ReadRobotRecord(name)); }

Robot ReadRobotText(const char* text, const char* name) {
  return Prepare(ReadRobotRecordText(text, name));
}

void SetLoadMenuHook(void (*hook)(int active)) { menu_hook = hook; }

//------------------------------------------------------------------ public API: the current robot

void UnloadRobot(void) {
  // a move still playing would step the new JC with the old robot's joint count
  InterpolateConfig_ani = false;
  if (R) {
    if (R->EE.DestroyProc) R->EE.DestroyProc(&R->EE);
    FreeRobot(R);
  }
  FreeJointConfig(JC);
  FreeCartesianConfig(CC);
  R = nullptr;  JC = nullptr;  CC = nullptr;
}

Robot LoadRobotRecords(const char* name) {
  UnloadRobot();
  // the trajectories hold joint values of the old robot
  ClearJointTrajectory(&JT);
  ClearCartesianTrajectory(&CT);
  ResetWorkspace();
  R = ReadRobot(name);
  if (!R) return nullptr;
  JC = JointConfigFromRobot(R);
  CC = CartesianConfigFromRobot(R, JC);
  scale = R->avg_len*4.0;
  return R;
}

// the text is parsed once alone so that a refused one leaves everything as it was; the old
// robot goes before the new one is prepared (a built-in model is shared by both)
Robot LoadRobotText(const char* text, const char* name) {
  Robot check = ReadRobotRecordText(text, name);
  if (!check) return nullptr;
  FreeRobot(check);
  UnloadRobot();
  R = ReadRobotText(text, name);
  if (!R) return nullptr;
  JC = JointConfigFromRobot(R);
  CC = CartesianConfigFromRobot(R, JC);
  return R;
}
