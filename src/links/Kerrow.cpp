// Kerrow.cpp -- the built-in KERROW model: a bench arm with two custom lofted link meshes
#include "links/Kerrow.h"
#include "graphics/misc.h"

#include <math.h>    // for: sqrtf()
#include <stdlib.h>  // for: free()

//------------------------------------------------------------------ module state
ModelParts kerrow;
KerrowMesh* kerrow_link1 = nullptr;
KerrowMesh* kerrow_link2 = nullptr;
LinkDrawProc KerrowLinks[7] = {NoDrawLink, NoDrawLink, NoDrawLink, NoDrawLink,
                               NoDrawLink, NoDrawLink, NoDrawLink};
EEData KerrowEElist[3] = {
  {"None", 0, NothingInitEE},
  {"Hand", 1, KerrowInitEEHand},
  {nullptr, 0, nullptr},
};

static const int mat = 3;
static const JwColor cream = 0xffd8e8f0u;
static const JwColor red = 0xff2828b0u;
static const JwColor dark = 0xff383838u;

// unit cross-section of both links: a rounded rectangle, 12 points counter-clockwise
static const float Section[12][2] = {
  {1, 0}, {0.94f, 0.6f}, {0.6f, 0.94f}, {0, 1}, {-0.6f, 0.94f}, {-0.94f, 0.6f},
  {-1, 0}, {-0.94f, -0.6f}, {-0.6f, -0.94f}, {0, -1}, {0.6f, -0.94f}, {0.94f, -0.6f}};
// ends of the upper arm (x, half-width along y, half-height along z) and of the forearm
// (z, half-width along x, half-width along y)
static const float Arm1[2][3] = {{0.0f, 0.28f, 0.22f}, {1.9f, 0.2f, 0.17f}};
static const float Arm2[2][3] = {{0.47f, 0.24f, 0.2f}, {1.45f, 0.17f, 0.15f}};

//------------------------------------------------------------------ static helpers
static void Add(int link, JwPrimitive p, float x, float y, float z, float rx) {
  ModelAdd(&kerrow, link, Put(p, x, y, z, rx, 0, 0));
}
static JwPrimitive Cyl(float r, float h, JwColor c) { return JwDefCylinder(24, r, h, mat, c); }

static void Normalize(float* v) {
  float l = sqrtf(v[0]*v[0] + v[1]*v[1] + v[2]*v[2]);
  if (l > 0) { v[0] /= l;  v[1] /= l;  v[2] /= l; }
}

// outward facet normal of the side quad from point k to k + 1
static void Facet(const KerrowMesh* m, int k, const float* ca, float* f) {
  int j = (k + 1) % m->n;
  const float *a0 = m->A + 3*k, *a1 = m->A + 3*j, *b0 = m->B + 3*k;
  float u[3] = {a1[0] - a0[0], a1[1] - a0[1], a1[2] - a0[2]};
  float v[3] = {b0[0] - a0[0], b0[1] - a0[1], b0[2] - a0[2]};
  f[0] = u[1]*v[2] - u[2]*v[1];  f[1] = u[2]*v[0] - u[0]*v[2];  f[2] = u[0]*v[1] - u[1]*v[0];
  float out[3] = {a0[0] + a1[0] - 2*ca[0], a0[1] + a1[1] - 2*ca[1], a0[2] + a1[2] - 2*ca[2]};
  if (f[0]*out[0] + f[1]*out[1] + f[2]*out[2] < 0) { f[0] = -f[0];  f[1] = -f[1];  f[2] = -f[2]; }
  Normalize(f);
}

// a loft along the axis ax (0 x, 2 z) between the two ends e[0] and e[1] of the unit section:
// the section's first coordinate goes on axis s1, its second on s2
static KerrowMesh* Loft(const float e[2][3], int ax, int s1, int s2, JwColor c) {
  KerrowMesh* m = (KerrowMesh*)JwMalloc(sizeof(KerrowMesh));
  m->n = 12;
  m->A = (float*)JwMalloc(3*12*sizeof(float));
  m->B = (float*)JwMalloc(3*12*sizeof(float));
  m->N = (float*)JwMalloc(3*12*sizeof(float));
  m->mat = mat;
  m->color = c;
  for (int k = 0; k < 12; k++) {
    float* end[2] = {m->A + 3*k, m->B + 3*k};
    for (int i = 0; i < 2; i++) {
      end[i][ax] = e[i][0];
      end[i][s1] = e[i][1]*Section[k][0];
      end[i][s2] = e[i][2]*Section[k][1];
    }
  }
  float ca[3] = {0, 0, 0};
  ca[ax] = e[0][0];
  float f[12][3];
  for (int k = 0; k < 12; k++) Facet(m, k, ca, f[k]);
  for (int k = 0; k < 12; k++) {            // smooth: mean of the two facets at point k
    const float* p = f[(k + 11) % 12];
    for (int i = 0; i < 3; i++) m->N[3*k + i] = p[i] + f[k][i];
    Normalize(m->N + 3*k);
  }
  for (int i = 0; i < 3; i++) m->nA[i] = m->nB[i] = 0;
  float s = (e[1][0] > e[0][0]) ? 1.0f : -1.0f;
  m->nA[ax] = -s;
  m->nB[ax] = s;
  return m;
}

//------------------------------------------------------------------ public API
// the upper arm: along x from the shoulder (x = 0) to the elbow (x = 1.9), tapering
KerrowMesh* DefLink1(void) { return Loft(Arm1, 0, 1, 2, cream); }
// the forearm: along z from 0.47 to 1.45, tapering toward the wrist
KerrowMesh* DefLink2(void) { return Loft(Arm2, 2, 0, 1, cream); }

// the mesh and its arrays; NULL does nothing
void FreeKerrowMesh(KerrowMesh* m) {
  if (!m) return;
  free(m->N);  free(m->B);  free(m->A);
  free(m);
}

// frames of the sample robot: the first offset is 0.55 but the shoulder is drawn 2.95 up
// (the view adds 2.4 for this model), upper arm 1.9, forearm 1.7 up the -y axis of the
// elbow, flange 0.35 beyond the wrist centre
void KerrowInit(Robot r) {
  KerrowDestroy(r);
  kerrow_link1 = DefLink1();
  kerrow_link2 = DefLink2();
  Add(0, JwDefStump(24, 1.0f, 0.6f, 2.0f, mat, cream), 0, 0, 0, 0);      // pedestal 0 .. 2
  Add(0, Cyl(0.62f, 0.3f, dark), 0, 0, 2.15f, 0);                        // bearing to 2.3
  Add(1, Cyl(0.55f, 0.45f, red), 0, 0, 2.525f, 0);                       // waist 2.3 .. 2.75
  Add(1, JwDefPivot(24, 0.35f, 0.5f, 0.12f, mat, red), 0, 0.38f, 2.95f, 90);  // shoulder lugs
  Add(1, JwDefPivot(24, 0.35f, 0.5f, 0.12f, mat, red), 0, -0.38f, 2.95f, 90);
  Add(1, Cyl(0.2f, 0.35f, dark), 0, -0.615f, 2.95f, 90);                 // shoulder motor
  Add(2, Cyl(0.3f, 0.64f, red), 0, 0, 0, 0);                             // shoulder hub
  Add(2, Cyl(0.25f, 0.5f, red), 1.9f, 0, 0, 0);                          // elbow hub
  Add(3, JwDefPivot(24, 0.28f, 0.35f, 0.12f, mat, red), 0, 0, 0.31f, 0); // elbow lugs
  Add(3, JwDefPivot(24, 0.28f, 0.35f, 0.12f, mat, red), 0, 0, -0.31f, 0);
  Add(3, JwDefPrism(0.56f, 0.12f, 0.74f, mat, red), 0, -0.41f, 0, 0);    // bridge to the forearm
  Add(4, JwDefPivot(24, 0.2f, 0.3f, 0.08f, mat, red), 0, 0.2f, 1.7f, 90);  // wrist lugs
  Add(4, JwDefPivot(24, 0.2f, 0.3f, 0.08f, mat, red), 0, -0.2f, 1.7f, 90);
  Add(5, Cyl(0.16f, 0.32f, dark), 0, 0, 0, 0);                           // wrist hub
  Add(5, Cyl(0.14f, 0.22f, dark), 0, -0.11f, 0, 90);                     // nose along -y
  Add(6, Cyl(0.15f, 0.08f, red), 0, 0, 0.27f, 0);                        // flange 0.23 .. 0.31
  Add(6, Cyl(0.12f, 0.04f, dark), 0, 0, 0.33f, 0);                       // tool plate to 0.35
}

// free the solids and the two meshes
void KerrowDestroy(Robot) {
  ModelFreeParts(&kerrow);
  FreeKerrowMesh(kerrow_link1);  kerrow_link1 = nullptr;
  FreeKerrowMesh(kerrow_link2);  kerrow_link2 = nullptr;
}

// the "Hand": gripper of size 0.24 turned onto -y, tool frame 0.204 along -y
void KerrowInitEEHand(EndEffectorPtr ee) {
  ModelInitEE(ee, 1, 3, 0.0f, 0, -0.204f, 0, StdDrawEE);
  ModelGripper(ee, 0.24f, 0, 0xff3b472eu, 0xff696969u);
  for (int i = 0; i < 3; i++) {
    JwBgnEditPrimitive(ee->P[i]);
    JwEditRotate(900, 'x');
    JwEndEditPrimitive();
  }
}
