// collide_model.cpp -- the collision model: robot parts from their solids, the payload, the
// work-environment objects and the obstacles, kept in step with the scene tables
#include "collide/collide_local.h"
#include "collide/collide_mesh.h"

#include "graphics/misc.h"          // for: JwMalloc()
#include "links/Kerrow.h"           // for: the custom link meshes
#include "links/Puma560.h"          // for: ZDrawEE()
#include "links/links.h"            // for: RobotModelRow()
#include "links/model_solids.h"     // for: the solids of each model part
#include "robot/app_state.h"        // for: obstacle and payload tables
#include "scene/things.h"           // for: DefBattery(), DestroyThing()
#include "scene/workspace_place.h"  // for: WorkspacePlacement()
#include "scene/workspace_things.h" // for: BuildWorkspaceThing()

#include <math.h>    // for: fabs()
#include <stdio.h>   // for: snprintf()
#include <stdlib.h>  // for: free(), calloc()
#include <string.h>  // for: memset(), memcpy()

//------------------------------------------------------------------ static helpers

static void InitBody(CollideBodyRec* b, int kind, int index, const char* name, int chain) {
  memset(b, 0, sizeof(*b));
  b->pub.kind = kind;
  b->pub.index = index;
  snprintf(b->pub.name, sizeof(b->pub.name), "%s", name);
  b->chain = chain;
}

static void FreeBodyShapes(CollideBodyRec* b) {
  for (int k = 0; k < b->np; k++) CollideFreeShape(b->P[k].s);
  b->np = 0;
}

// a piece of the mesh at frame, local placement L (NULL: identity); nothing for no triangles
static CollidePiece* AddMeshPiece(CollideBodyRec* b, CollideMesh* mesh, int frame,
                                  const double* L) {
  CollideShape s = CollideShapeMesh(mesh->V, mesh->nv, mesh->T, mesh->nt);
  CollideMeshClear(mesh);
  if (!s || b->np >= CollidePieceMax) {
    CollideFreeShape(s);
    return nullptr;
  }
  CollidePiece* p = &b->P[b->np++];
  p->s = s;
  p->frame = frame;
  if (L) memcpy(p->L, L, sizeof(p->L));
  else CollideFrameIdentity(p->L);
  p->joint = -1;
  p->slide = 0;
  p->rod = 0;
  return p;
}

// bounding box of a solid's points along x and y: the prismatic rod's width
static void SolidWidth(JwPrimitive p, double w[2]) {
  double lo[2] = {1e30, 1e30}, hi[2] = {-1e30, -1e30};
  for (int u = 0; u < p->nu; u++)
    for (int i = 0; i < p->U[u]->nv; i++)
      for (int k = 0; k < 2; k++) {
        double v = p->U[u]->V[4*i + k];
        if (v < lo[k]) lo[k] = v;
        if (v > hi[k]) hi[k] = v;
      }
  for (int k = 0; k < 2; k++) w[k] = hi[k] > lo[k] ? hi[k] - lo[k] : 0;
}

// generic bodies of link i: the up geometry draws the hinge and offset bar before the joint
// turns, a slide draws its sleeve and rod before it moves
static void GenericLink(Robot r, int i, CollideBodyRec* b) {
  Link* l = &r->L[i];
  CollideMesh mesh = {};
  if (l->joint == 1) {
    CollideMeshAddSolid(&mesh, l->hinge, nullptr);
    CollidePiece* p = AddMeshPiece(b, &mesh, 2*i + 1, nullptr);
    if (p) { p->joint = i;  p->slide = -1; }
    if (l->linkz && b->np < CollidePieceMax) {
      p = &b->P[b->np++];
      SolidWidth(l->linkz, p->rod_w);
      p->s = CollideShapeBox(p->rod_w[0], p->rod_w[1], 1);
      p->frame = 2*i + 1;
      CollideFrameIdentity(p->L);
      p->joint = i;
      p->slide = -0.5;
      p->rod = 1;
    }
    CollideMeshAddSolid(&mesh, l->linkx, nullptr);
    AddMeshPiece(b, &mesh, 2*i + 1, nullptr);
    return;
  }
  if (r->geom_type == 0) {
    CollideMeshAddSolid(&mesh, l->hinge, nullptr);
    CollideMeshAddSolid(&mesh, l->linkz, nullptr);
    AddMeshPiece(b, &mesh, 2*i, nullptr);
  } else {
    CollideMeshAddSolid(&mesh, l->hinge, nullptr);
    CollideMeshAddSolid(&mesh, l->linkz, nullptr);
  }
  CollideMeshAddSolid(&mesh, l->elbow, nullptr);
  CollideMeshAddSolid(&mesh, l->linkx, nullptr);
  AddMeshPiece(b, &mesh, 2*i + 1, nullptr);
}

// the custom loft Kerrow draws in part k, or NULL
static const KerrowMesh* KerrowLoft(const GeomMatch* g, int k) {
  if (!g || g->links != KerrowLinks) return nullptr;
  return k == 2 ? kerrow_link1 : (k == 4 ? kerrow_link2 : nullptr);
}

// part k of a built-in model (0 base, i link i): its solids and loft at the link's frame
static void ModelPart(const GeomMatch* g, int k, CollideBodyRec* b) {
  JwPrimitive P[ModelMaxParts];
  int n = g->Bodies ? g->Bodies(k, P, ModelMaxParts) : 0;
  CollideMesh mesh = {};
  for (int j = 0; j < n; j++) CollideMeshAddSolid(&mesh, P[j], nullptr);
  const KerrowMesh* loft = KerrowLoft(g, k);
  if (loft) CollideMeshAddLoft(&mesh, loft->A, loft->B, loft->n, nullptr);
  AddMeshPiece(b, &mesh, k == 0 ? 0 : 2*(k - 1) + 1, nullptr);
}

// end effector at the flange: the chosen one of a built-in model (fingers of the hand that
// opens along y moved by the opening), else the default palm and fingers
static void Effector(Robot r, CollideBodyRec* b) {
  CollideMesh mesh = {};
  if (r->geom_type == 2) {
    EndEffector* ee = &r->EE;
    double o = (ee->DrawProc == ZDrawEE && ee->nv > 0 && ee->v) ? ee->v[0] : 0;
    for (int j = 0; j < ee->nP && ee->P; j++) {
      double M[16];
      CollideFrameTranslation(M, 0, j == 1 ? o : (j == 2 ? -o : 0), 0);
      CollideMeshAddSolid(&mesh, ee->P[j], M);
    }
  } else {
    CollideMeshAddSolid(&mesh, r->dEE.h1, nullptr);
    CollideMeshAddSolid(&mesh, r->dEE.h2, nullptr);
    CollideMeshAddSolid(&mesh, r->dEE.h3, nullptr);
  }
  AddMeshPiece(b, &mesh, 2*r->n, nullptr);
}

// the payload as the tables say: a sphere at Payload_info in the tool frame, or the battery
// turned over and lowered by 1 there
static void RebuildPayload(CollideModel m) {
  CollideBodyRec* b = &m->payload;
  FreeBodyShapes(b);
  InitBody(b, CollidePayload, 0, "Payload", m->r->n + 2);
  m->pay_show = ShowPayload;
  m->pay_type = TypePayload;
  m->pay_radius = Radius_pay;
  if (!ShowPayload) return;
  int tool = 2*m->r->n + 1;
  if (TypePayload == 2) {
    Thing t = DefBattery(1, 0xff00ff00UL, 0xffc0c0c0UL);
    CollideMesh mesh = {};
    for (int j = 0; t && j < t->np; j++) CollideMeshAddSolid(&mesh, t->P[j], nullptr);
    DestroyThing(t);
    double A[16], B[16];
    CollideFrameRotation(A, 180, 0);
    CollideFrameTranslation(B, 0, 0, -1);
    CollideFrameMul(A, B, A);
    AddMeshPiece(b, &mesh, tool, A);
  } else if (Radius_pay > 0) {
    CollidePiece* p = &b->P[b->np++];
    p->s = CollideShapeSphere(Radius_pay);
    p->frame = tool;
    CollideFrameIdentity(p->L);
    p->joint = -1;
  }
}

// object i's mesh from its thing (the thing's own placement applied), built anew
static void RebuildObject(CollideBodyRec* b, int i) {
  FreeBodyShapes(b);
  char name[48];
  int t = WorkspaceType[i];
  snprintf(name, sizeof(name), "%s %d", WorkspaceKindOf(t) ? WorkspaceKindName(t) : "Object",
           i + 1);
  InitBody(b, CollideObject, i, name, -1);
  b->type = t;
  for (int k = 0; k < 3; k++) b->info[k] = ws_object_info[i][k];
  Thing th = BuildWorkspaceThing(i);
  if (!th) return;
  double Q[16];
  for (int r = 0; r < 4; r++)
    for (int c = 0; c < 4; c++) Q[4*r + c] = th->Q[c][r];   // GL element order
  CollideMesh mesh = {};
  for (int j = 0; j < th->np; j++) CollideMeshAddSolid(&mesh, th->P[j], Q);
  DestroyThing(th);
  AddMeshPiece(b, &mesh, CollideNoFrame, nullptr);
}

// 1 when any piece of a touches any piece of b
static int BodiesTouch(const CollideBodyRec* a, const CollideBodyRec* b) {
  for (int k = 0; k < 3; k++)
    if (a->lo[k] > b->hi[k] || b->lo[k] > a->hi[k]) return 0;
  for (int i = 0; i < a->np; i++)
    for (int j = 0; j < b->np; j++)
      if (CollideTouch(a->P[i].s, b->P[j].s)) return 1;
  return 0;
}

//------------------------------------------------------------------ public API

void CollidePlaceBody(CollideBodyRec* b, CollideFrame* F, const float* q) {
  for (int k = 0; k < 3; k++) { b->lo[k] = 1e30;  b->hi[k] = -1e30; }
  for (int k = 0; k < b->np; k++) {
    CollidePiece* p = &b->P[k];
    double M[16], S[16];
    if (p->frame == CollideNoFrame) CollideFrameIdentity(M);
    else memcpy(M, F[p->frame], sizeof(M));
    if (p->joint >= 0) {
      double z = q[p->joint];
      if (p->rod) {
        // a rod of no length has no body: a sliver keeps the shape valid
        double len = fabs(z) > 1e-9 ? fabs(z) : 1e-9;
        CollideShapeResize(p->s, p->rod_w[0], p->rod_w[1], len);
      }
      CollideFrameTranslation(S, 0, 0, p->slide*z);
      CollideFrameMul(M, S, M);
    }
    CollideFrameMul(M, p->L, M);
    CollidePlace(p->s, M);
    double lo[3], hi[3];
    CollideBounds(p->s, lo, hi);
    for (int j = 0; j < 3; j++) {
      if (lo[j] < b->lo[j]) b->lo[j] = lo[j];
      if (hi[j] > b->hi[j]) b->hi[j] = hi[j];
    }
  }
}

CollideModel CollideBuild(Robot r) {
  if (!r || r->n <= 0) return nullptr;
  CollideModel m = (CollideModel)calloc(1, sizeof(CollideModelRec));
  if (!m) JwError(1, "Jwmalloc: failed allocation\n");
  m->r = r;
  m->nr = r->n + 2;
  m->part = (CollideBodyRec*)JwMalloc(m->nr*sizeof(CollideBodyRec));
  const GeomMatch* g = (r->geom_type == 2) ? RobotModelRow(r) : nullptr;
  for (int k = 0; k <= r->n; k++) {
    char name[48];
    if (k == 0) snprintf(name, sizeof(name), "Base");
    else snprintf(name, sizeof(name), "Link %d", k);
    InitBody(&m->part[k], k == 0 ? CollideBase : CollideLink, k, name, k);
    if (g) ModelPart(g, k, &m->part[k]);
    else if (k > 0 && r->geom_type != 2) GenericLink(r, k - 1, &m->part[k]);
  }
  InitBody(&m->part[r->n + 1], CollideEffector, 0, "End effector", r->n + 1);
  if (r->geom_type != 2 || g) Effector(r, &m->part[r->n + 1]);
  InitBody(&m->payload, CollidePayload, 0, "Payload", r->n + 2);
  m->pay_show = -1;
  for (int e = 0; e < 4; e++) {
    char name[48];
    snprintf(name, sizeof(name), "Obstacle %d", e + 1);
    InitBody(&m->obstacle[e], CollideObstacle, e, name, -1);
    m->obstacle[e].np = 1;
    m->obstacle[e].P[0].s = CollideShapeSphere(1);
    m->obstacle[e].P[0].frame = CollideNoFrame;
    m->obstacle[e].P[0].joint = -1;
    m->soi[e] = CollideShapeSphere(1.2);
  }
  m->probe = CollideShapeSphere(1e-9);
  m->F = (CollideFrame*)JwMalloc(CollideFrameCount(r)*sizeof(CollideFrame));
  m->q = (float*)JwMalloc(r->n*sizeof(float));
  int most_list = m->nr + 1 + WS_MAX + 4;
  m->list = (CollideBodyRec**)JwMalloc(most_list*sizeof(CollideBodyRec*));
  m->touched = (unsigned char*)JwMalloc((size_t)(m->nr + 1)*most_list);

  // pairs that are not neighbours in the chain; those touching at home are left out
  int most = m->nr*m->nr;
  m->self = (int(*)[2])JwMalloc(most*sizeof(int[2]));
  m->home = (int(*)[2])JwMalloc(most*sizeof(int[2]));
  float* h = (float*)JwMalloc(r->n*sizeof(float));
  for (int i = 0; i < r->n; i++) h[i] = r->L[i].h_q;
  CollideRobotFrames(r, h, m->F);
  for (int k = 0; k < m->nr; k++) CollidePlaceBody(&m->part[k], m->F, h);
  free(h);
  for (int a = 0; a < m->nr; a++)
    for (int b = a + 2; b < m->nr; b++) {
      if (!m->part[a].np || !m->part[b].np) continue;
      if (BodiesTouch(&m->part[a], &m->part[b])) {
        m->home[m->nhome][0] = a;  m->home[m->nhome][1] = b;  m->nhome++;
      } else {
        m->self[m->nself][0] = a;  m->self[m->nself][1] = b;  m->nself++;
      }
    }
  return m;
}

void CollideFree(CollideModel m) {
  if (!m) return;
  if (GetCollideAvoid() == m) SetCollideAvoid(nullptr);
  for (int k = 0; k < m->nr; k++) FreeBodyShapes(&m->part[k]);
  free(m->part);
  FreeBodyShapes(&m->payload);
  for (int i = 0; i < WS_MAX; i++) {
    if (!m->object[i]) continue;
    FreeBodyShapes(m->object[i]);
    free(m->object[i]);
  }
  for (int e = 0; e < 4; e++) {
    FreeBodyShapes(&m->obstacle[e]);
    CollideFreeShape(m->soi[e]);
  }
  CollideFreeShape(m->probe);
  free(m->self);
  free(m->home);
  free(m->F);
  free(m->q);
  free(m->list);
  free(m->touched);
  free(m);
}

void CollideSyncScene(CollideModel m, const float* q_in) {
  const GeomMatch* row = ModelRow(m->r->name);
  float* q = m->q;
  for (int i = 0; i < m->r->n; i++) q[i] = q_in[i];
  if (row && row->Couple) row->Couple(m->r, q);
  CollideRobotFrames(m->r, q, m->F);
  m->nlist = 0;
  for (int k = 0; k < m->nr; k++) {
    CollidePlaceBody(&m->part[k], m->F, q);
    m->list[m->nlist++] = &m->part[k];
  }
  if (m->pay_show != ShowPayload || m->pay_type != TypePayload ||
      m->pay_radius != Radius_pay)
    RebuildPayload(m);
  if (m->payload.np) {
    CollidePlaceBody(&m->payload, m->F, q);
    m->list[m->nlist++] = &m->payload;
  }
  m->nrobot = m->nlist;
  for (int i = 0; i < workspace_number && i < WS_MAX; i++) {
    if (!ShowWorkspace[i]) continue;
    CollideBodyRec* b = m->object[i];
    if (!b) {
      b = m->object[i] = (CollideBodyRec*)calloc(1, sizeof(CollideBodyRec));
      if (!b) JwError(1, "Jwmalloc: failed allocation\n");
      b->type = -1;
    }
    const float* I = ws_object_info[i];
    if (b->type != WorkspaceType[i] || b->info[0] != I[0] || b->info[1] != I[1] ||
        b->info[2] != I[2])
      RebuildObject(b, i);
    if (!b->np) continue;
    WorkspacePlacement(i, b->P[0].L);
    CollidePlaceBody(b, m->F, q);
    m->list[m->nlist++] = b;
  }
  for (int e = 0; e < 4; e++) {
    if (!ShowObstacle[e] || !(Radius[e] > 0)) continue;
    CollideBodyRec* b = &m->obstacle[e];
    CollideShapeResize(b->P[0].s, Radius[e], 0, 0);
    CollideFrameTranslation(b->P[0].L, Obstacle_pos[e][0], Obstacle_pos[e][1],
                            Obstacle_pos[e][2]);
    CollidePlaceBody(b, m->F, q);
    double s = Radius[e]*(1 + (SOI[e] > 0 ? SOI[e] : 0));
    CollideShapeResize(m->soi[e], s, 0, 0);
    CollidePlace(m->soi[e], b->P[0].L);
    m->list[m->nlist++] = b;
  }
}

int CollideBodyCount(CollideModel m) { return m ? m->nlist : 0; }

const CollideBody* CollideGetBody(CollideModel m, int k) {
  if (!m || k < 0 || k >= m->nlist) return nullptr;
  return &m->list[k]->pub;
}

int CollideHomePairs(CollideModel m, int (*pairs)[2], int max) {
  if (!m) return 0;
  for (int k = 0; k < m->nhome && k < max; k++) {
    pairs[k][0] = m->home[k][0];
    pairs[k][1] = m->home[k][1];
  }
  return m->nhome;
}
