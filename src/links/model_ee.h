// model_ee.h -- what every built-in model's end effectors share: the "None" hand, the
// transposed frame, the standard destroy, draw and edit procedures, and the drawer slots that
// the drawing library fills (see links.h)
#ifndef VELMORA_MODEL_EE_H
#define VELMORA_MODEL_EE_H

#include "robot/robot.h"

//------------------------------------------------------------------ end-effector helpers
// the "None" end effector: identity Qee and Qee_gl, type 0, no procedures
void NothingInitEE(EndEffectorPtr ee);
// Qee_gl[i][j] = Qee[j][i]
void MakeQee_gl(EndEffectorPtr ee);
// free the nP solids of P, then P, then v (and clear them)
void StdDestroyEE(EndEffectorPtr ee);
// draw P[0] ... P[nP - 1] in order
void StdDrawEE(EndEffectorPtr ee);
// nothing
void StdEditEE(EndEffectorPtr ee);

//------------------------------------------------------------------ drawing registration
typedef void (*EEDrawProc)(EndEffectorPtr);

// drawer slots of the forwarding end-effector draw procedures
enum { EEDrawStd = 0, EEDrawZ = 1, EEDrawSlots = 16 };

// the no-op every model drawing table starts with
void NoDrawLink(void);
// set the GL function behind a forwarding draw procedure; slots outside the range are ignored
void SetEEDrawer(int slot, EEDrawProc f);
// call the drawer of a slot, if one is set
void CallEEDrawer(int slot, EndEffectorPtr ee);

#endif
