// links.cpp -- generic link bodies, the default end effector and the geometry registry
#include "links/links.h"
#include "links/Puma560.h"
#include "links/Yaskawa.h"
#include "links/FanucS300.h"
#include "links/Kerrow.h"
#include "links/REKERROW.h"
#include "links/REKERROWB.h"
#include "links/C3Manip.h"
#include "links/ZireVoro.h"
#include "links/Wrist.h"
#include "links/model_solids.h"
#include "graphics/primitives.h"
#include "base/message.h"  // for: VmMessage()

#include <stdio.h>   // for: fprintf()
#include <stdlib.h>  // for: free()
#include <string.h>  // for: strcmp(), strncpy()

//------------------------------------------------------------------ registry and module state
GeomMatch geomlinks[] = {
  {"Puma560", Puma560Links, Puma560Init, Puma560Destroy, Puma560EElist, 6, 0, nullptr, nullptr,
   nullptr, Puma560Bodies},
  {"ZireVoro", ZireVoroLinks, ZireVoroInit, ZireVoroDestroy, ZireVoroEElist, 12, 0, ZireVoroCouple,
   nullptr, nullptr, ZireVoroBodies},
  {"Yaskawa", YaskawaLinks, YaskawaInit, YaskawaDestroy, YaskawaEElist, 6, 0, nullptr, nullptr,
   nullptr, YaskawaBodies},
  {"KERROW", KerrowLinks, KerrowInit, KerrowDestroy, KerrowEElist, 6, 2.95f - 0.55f, nullptr,
   nullptr, nullptr, KerrowBodies},
  {"FanucS300", FanucS300Links, FanucS300Init, FanucS300Destroy, FanucS300EElist, 6, 0, nullptr,
   nullptr, nullptr, FanucS300Bodies},
  {"REKERROW", REKERROWLinks, REKERROWInit, REKERROWDestroy, REKERROWEElist, 7, 0, nullptr,
   nullptr, nullptr, REKERROWBodies},
  {"REKERROWB", REKERROWBLinks, REKERROWBInit, REKERROWBDestroy, REKERROWBEElist, 13, 0, nullptr,
   nullptr, nullptr, REKERROWBBodies},
  {"Rozivi+Rudov", C3ManipLinks, C3ManipInit, C3ManipDestroy, C3ManipEElist, 7, -7.5f, nullptr,
   nullptr, nullptr, C3ManipBodies},
  {"Wrist", WristLinks, WristInit, WristDestroy, WristEElist, 3, 0, nullptr, nullptr, nullptr,
   WristBodies},
};
const int ngeomlinks = (int)(sizeof(geomlinks)/sizeof(geomlinks[0]));

// named cells of robots that have no built-in model: hooks only, never matched as a model
static GeomMatch geomcells[] = {
  {"Rezir500", nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr},
};
static const int ngeomcells = (int)(sizeof(geomcells)/sizeof(geomcells[0]));

static void (*destroyer)(Robot) = nullptr;   // Destroy of the row matched last

//------------------------------------------------------------------ generic bodies
// dimensions of the last MakeLinks, read by the builders
static float rad, hrad, hlen, hw, pw, eelen;
static int nm1;

static const int body_segments = 24;
static const int joint_mat = 3;              // joint bodies and the default end effector
static const JwColor joint_color = 0xffc0c0c0u;
static const int bar_mat = 5;                // offset bars, link bars, elbows
static const JwColor bar_color = 0xff148030u;

// joint cylinder, centred on z = dz
static JwPrimitive Hinge(float dz) {
  JwPrimitive p = JwDefCylinder(body_segments, hrad, hlen, joint_mat, joint_color);
  if (dz != 0.0f) {
    JwBgnEditPrimitive(p);
    JwEditTranslate(0, 0, dz);
    JwEndEditPrimitive();
  }
  return p;
}

// bar of radius rad and length len along z, centred on z = dz
static JwPrimitive BarZ(float len, float dz) {
  JwPrimitive p = JwDefCylinder(body_segments, rad, len, bar_mat, bar_color);
  JwBgnEditPrimitive(p);
  JwEditTranslate(0, 0, dz);
  JwEndEditPrimitive();
  return p;
}

// bar of radius rad and length len along x, centred on x = cx at height b
static JwPrimitive BarX(float len, float b, float cx) {
  JwPrimitive p = JwDefCylinder(body_segments, rad, len, bar_mat, bar_color);
  JwBgnEditPrimitive(p);
  JwEditRotate(900, 'y');
  JwEditTranslate(-b, 0, cx);
  JwEndEditPrimitive();
  return p;
}

// elbow of bend radius and tube radius rad; the caller places it
static JwPrimitive Elbow() {
  return JwDefElbow(body_segments, rad, rad, bar_mat, bar_color);
}

// box moved by (dx, 0, dz)
static JwPrimitive Box(float x, float y, float z, float dx, float dz, int mat, JwColor c) {
  JwPrimitive p = JwDefPrism(x, y, z, mat, c);
  if (dx != 0.0f || dz != 0.0f) {
    JwBgnEditPrimitive(p);
    JwEditTranslate(dx, 0, dz);
    JwEndEditPrimitive();
  }
  return p;
}

// down elbow at height b: turned 180 degrees about y above the joint, 90 below it
static JwPrimitive DownElbow(float b, float turn) {
  JwPrimitive p = Elbow();
  JwBgnEditPrimitive(p);
  JwEditTranslate(0, 0, b);
  JwEditRotate(turn, 'y');
  JwEndEditPrimitive();
  return p;
}

// joint cylinder at the origin; offset bar from the joint to b less rad, elbow into the link
// bar; link bar from x = rad to a (eelen short of a on the last link)
void MakeDownRevoluteLink(Link* l, int pos) {
  float a = l->a, b = l->b;
  l->hinge = Hinge(0);
  if (pos == 2 && a == 0.0f) {
    if (b != 0.0f) {
      float len = l->abs_b - eelen;
      l->linkz = BarZ(len, b > 0 ? len/2 : -len/2);
    }
    return;
  }
  if (b > 0) {
    l->linkz = BarZ(b - rad, (b - rad)/2);
    if (a != 0.0f) l->elbow = DownElbow(b, 1800);
  } else if (b < 0) {
    l->linkz = BarZ(l->abs_b - rad, -(l->abs_b - rad)/2);
    if (a != 0.0f) l->elbow = DownElbow(b, 900);
  }
  if (a != 0.0f) {
    if (pos == 2) l->linkx = BarX(a - rad - eelen, b, (a + rad - eelen)/2);
    else l->linkx = BarX(a - rad, b, (a + rad)/2);
  }
}

// sleeve at the origin; rod of unit length along z (the view scales it by the joint value);
// bar from x = -pw/2 to a (eelen short of a on the last link, which has bodies only if a != 0)
void MakeDownPrismaticLink(Link* l, int pos) {
  float a = l->a;
  l->hinge = Box(hw, hw, hlen, 0, 0, joint_mat, joint_color);
  if (pos == 2) {
    if (a == 0.0f) return;
    l->linkz = Box(pw, pw, 1, 0, 0.5f, bar_mat, bar_color);
    l->linkx = Box(pw/2 + a - eelen, pw, pw, (a - pw/2 - eelen)/2, 0, bar_mat, bar_color);
    return;
  }
  l->linkz = Box(pw, pw, 1, 0, 0.5f, bar_mat, bar_color);
  if (a != 0.0f) l->linkx = Box(a + pw/2, pw, pw, (a - pw/2)/2, 0, bar_mat, bar_color);
}

// joint cylinder on the common normal at height b; offset bar up to it; link bar along x and
// an elbow that turns into the next joint axis toward the side of the next offset
void MakeUpRevoluteLink(Link* l, int pos) {
  float a = l->a, b = l->b;
  if (pos == 2) {
    if (a != 0.0f) {
      l->hinge = Hinge(b);
      if (b != 0.0f)
        l->linkz = BarZ(l->abs_b - rad, l->sign_b*(l->abs_b + rad)/2);
      l->linkx = BarX(a - eelen, b, (a - eelen)/2);
    } else if (b != 0.0f) {
      float len = l->abs_b - eelen;
      l->linkz = BarZ(len, b > 0 ? len/2 : -len/2);
    }
    return;
  }
  const Link* next = l + 1;
  l->hinge = Hinge(b);
  if (b != 0.0f) {
    if (pos == 0) l->linkz = BarZ(l->abs_b, b/2);
    else l->linkz = BarZ(l->abs_b - rad, l->sign_b*(l->abs_b + rad)/2);
  }
  if (a == 0.0f) return;
  if (next->joint == 1) {
    l->linkx = BarX(a, b, a/2);
    return;
  }
  l->linkx = JwDefCylinder(body_segments, rad, a - rad, bar_mat, bar_color);
  JwBgnEditPrimitive(l->linkx);
  JwEditRotate(900, 'y');
  JwEditTranslate(-b, 0, (a - rad)/2);
  JwEditRot(-l->al, 'z');
  JwEndEditPrimitive();
  if (next->b != 0.0f) {
    l->elbow = Elbow();
    JwBgnEditPrimitive(l->elbow);
    JwEditTranslate(a, 0, b);
    JwEditRot(next->b > 0 ? l->al : l->al + 180, 'x');
    JwEndEditPrimitive();
  }
}

// no body: prismatic links are not drawn in the up geometry
void MakeUpPrismaticLink(Link*, int) {}

// body dimensions from rad, then the bodies of all n links; geom 0 up, 1 down, else nothing
void MakeLinks(int n, Link* L, float r, int geom) {
  rad = r;
  hrad = 1.4f*rad;
  hlen = 2.8f*rad;
  hw = 2*hrad*0.9f;
  pw = 2*rad*0.7f;
  eelen = 1.44f*rad;
  nm1 = n - 1;
  if (geom != 0 && geom != 1) return;
  for (int i = 0; i < n; i++) {
    // the last link wins over the first, so a one-link robot never reads past its array
    int pos = (i == nm1) ? 2 : (i == 0 ? 0 : 1);
    if (geom == 0) {
      if (L[i].joint == 1) MakeUpPrismaticLink(&L[i], pos);
      else MakeUpRevoluteLink(&L[i], pos);
    } else {
      if (L[i].joint == 1) MakeDownPrismaticLink(&L[i], pos);
      else MakeDownRevoluteLink(&L[i], pos);
    }
  }
}

// free hinge, linkz, linkx and elbow of every link, then MakeLinks
void RemakeLinks(int n, Link* L, float r, int geom) {
  for (int i = 0; i < n; i++) {
    JwFreePrimitive(L[i].hinge);  L[i].hinge = nullptr;
    JwFreePrimitive(L[i].linkz);  L[i].linkz = nullptr;
    JwFreePrimitive(L[i].linkx);  L[i].linkx = nullptr;
    JwFreePrimitive(L[i].elbow);  L[i].elbow = nullptr;
  }
  MakeLinks(n, L, r, geom);
}

// default end effector: palm behind two fingers, along z, or along x when the last link has a
// length; d in tenths of a degree about y
void MakeEE(DefaultEE* dEE, float r, float a_last, float b_last) {
  float d = 0.0f;
  if (a_last != 0.0f) d = (b_last < 0) ? -900.0f : 900.0f;
  float l = (b_last < 0) ? 0.96f*r + 0.24f*r : -(0.96f*r + 0.24f*r);
  dEE->h1 = JwDefPrism(2.64f*r, 3.12f*r, 0.48f*r, joint_mat, joint_color);
  JwBgnEditPrimitive(dEE->h1);
  JwEditRotate(d, 'y');
  JwEditTranslate(0, 0, l);
  JwEndEditPrimitive();
  dEE->h2 = JwDefPrism(2.64f*r, 0.48f*r, 1.92f*r, joint_mat, joint_color);
  JwBgnEditPrimitive(dEE->h2);
  JwEditRotate(d, 'y');
  JwEditTranslate(0, 1.32f*r, 0);
  JwEndEditPrimitive();
  dEE->h3 = JwDefPrism(2.64f*r, 0.48f*r, 1.92f*r, joint_mat, joint_color);
  JwBgnEditPrimitive(dEE->h3);
  JwEditRotate(d, 'y');
  JwEditTranslate(0, -1.32f*r, 0);
  JwEndEditPrimitive();
}


static void FreeModelOf(Robot r);

//------------------------------------------------------------------ registry lookup
// first row named exactly as the robot: Init, remember Destroy, attach links and EElist,
// then the first end effector of the row's list whose type equals robot->EE.type
void LinkMatchName(Robot r) {
  for (int i = 0; i < ngeomlinks; i++) {
    GeomMatch* g = &geomlinks[i];
    if (strcmp(r->name, g->name) != 0) continue;
    if (r->n != g->n) {
      // the view would call drawing functions past the model's table: generic bodies instead
      VmMessage(MsgWarning, "Robot `%s' has %d links but its built-in model has %d: drawn "
                "with generic bodies\n", r->name, r->n, g->n);
      if (r->geom_type != 0 && r->geom_type != 1) {
        r->geom_type = 1;
        RemakeLinks(r->n, r->L, r->rad, 1);
      }
      return;
    }
    g->Init(r);
    destroyer = g->Destroy;
    AddRobotFreeHook(FreeModelOf);
    r->links = g->links;
    r->EElist = g->EElist;
    for (EEData* e = g->EElist; e && e->name; e++) {
      if (e->type != r->EE.type) continue;
      e->InitProc(&r->EE);
      strncpy(r->EE.name, e->name, sizeof(r->EE.name) - 1);
      r->EE.name[sizeof(r->EE.name) - 1] = '\0';
      break;
    }
    return;
  }
}

GeomMatch* ModelRow(const char* name) {
  if (!name) return nullptr;
  for (int i = 0; i < ngeomlinks; i++)
    if (!strcmp(name, geomlinks[i].name)) return &geomlinks[i];
  for (int i = 0; i < ngeomcells; i++)
    if (!strcmp(name, geomcells[i].name)) return &geomcells[i];
  return nullptr;
}

void SetModelCell(const char* name, int (*cell)(int shown), void (*held)(void)) {
  GeomMatch* g = ModelRow(name);
  if (!g) return;
  g->DrawCell = cell;
  g->DrawHeld = held;
}

// a robot freed with a model attached: the model's geometry goes first
static void FreeModelOf(Robot r) {
  if (!r->links) return;
  FreeFullGeom(r);
  r->links = nullptr;
}

// the registry row whose model robot r carries (matched by its drawing table), or NULL
const GeomMatch* RobotModelRow(Robot r) {
  if (!r || !r->links) return nullptr;
  for (int i = 0; i < ngeomlinks; i++)
    if (geomlinks[i].links == r->links) return &geomlinks[i];
  return nullptr;
}

// Destroy of the row matched last, once; then forgotten
void FreeFullGeom(Robot r) {
  if (!destroyer) return;
  void (*d)(Robot) = destroyer;
  destroyer = nullptr;
  d(r);
}
