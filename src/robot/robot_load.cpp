// robot_load.cpp -- replacing the current robot as one transaction, without any window
#include "robot/robot_load.h"

#include "robot/app_state.h"   // for: R, JC, CC, JT, CT, scale
#include "robot/jconfig.h"     // for: InterpolateConfig_ani
#include "robot/reader.h"      // for: ReadRobot()
#include "scene/workspace.h"   // for: ResetWorkspace()

//------------------------------------------------------------------ public API

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
