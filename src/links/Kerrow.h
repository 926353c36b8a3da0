// Kerrow.h -- the built-in Kerrow model: a bench arm with two custom lofted link meshes
#ifndef VELMORA_KERROW_H
#define VELMORA_KERROW_H

#include "links/model_ee.h"
#include "links/model_parts.h"

// build the solids (any previous ones are freed first); the robot is not consulted
void KerrowInit(Robot r);
// free the solids
void KerrowDestroy(Robot r);
// drawing table: base, link1 ... link6 (filled by the drawing library)
extern LinkDrawProc KerrowLinks[7];
// end effectors, then the null name
extern EEData KerrowEElist[3];
// the "Hand": gripper of size 0.24 turned onto -y, tool frame 0.204 along -y
void KerrowInitEEHand(EndEffectorPtr ee);

// a custom link mesh: a closed loft between two outlines of n points, A at one end and B at
// the other, one side normal per outline point (shared by both ends) and one per end cap
typedef struct _KerrowMesh_ {
  int n;
  float* A;            // 3 n floats
  float* B;            // 3 n floats
  float* N;            // 3 n floats
  float nA[3], nB[3];  // outward cap normals
  int mat;
  JwColor color;
} KerrowMesh;
// the upper arm: along x from the shoulder (x = 0) to the elbow (x = 1.9), tapering
KerrowMesh* DefLink1(void);
// the forearm: along z from 0.47 to 1.45, tapering toward the wrist
KerrowMesh* DefLink2(void);
// the mesh and its arrays; NULL does nothing
void FreeKerrowMesh(KerrowMesh* m);
// the meshes of the built model (NULL while it is not built)
extern KerrowMesh* kerrow_link1;
extern KerrowMesh* kerrow_link2;
// the model's solids, shared with its drawing file
extern ModelParts kerrow;

// drawing library only (Kerrow_gl.cpp): the two custom meshes straight through OpenGL
void DrawLink1(void);
void DrawLink2(void);
// drawing library only (Kerrow_gl.cpp): fill KerrowLinks
void RegisterKerrowDrawing(void);

#endif
