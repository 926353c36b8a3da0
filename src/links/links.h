// links.h -- generic link bodies, the default end effector and the geometry registry
//
// Drawing registration. The headless core builds every body and owns every table the
// program keeps: the registry rows `geomlinks`, each model's drawing table (`Puma560Links`,
// n + 1 entries that start out pointing at the no-op NoDrawLink) and the end-effector draw
// procedures (StdDrawEE, ZDrawEE), which are core functions that forward to a drawer slot
// (SetEEDrawer / CallEEDrawer; an empty slot draws nothing). The drawing library fills the
// model tables and the drawer slots in one call, RegisterModelDrawing() (links_gl.cpp),
// which the GUI's main, the gallery and the GL tests call once at start-up, before the
// first frame. So a robot matched headless still gets a non-null `links`, and the same
// pointers draw for real once the drawing library has registered.
#ifndef VELMORA_LINKS_H
#define VELMORA_LINKS_H

#include "robot/robot.h"
#include "links/model_ee.h"

//------------------------------------------------------------------ registry
// one registry row: a robot name and its built-in model
typedef struct _GeomMatch_ {
  const char* name;           // compared with the robot's name, case-sensitive
  LinkDrawProc* links;        // n + 1 drawing functions: base, link 1 ... link n
  void (*Init)(Robot);        // builds the model's solids
  void (*Destroy)(Robot);     // frees them
  EEData* EElist;             // end effectors, ending with a null name
  int n;                      // links the model draws (links holds n + 1 functions)
  // drawing hooks of the scene walk, by the robot's name whatever its geometry; 0 or NULL: none
  float first_offset;         // added to b of link 1 where the model draws link 2
  void (*Couple)(Robot, float* q);  // sets the joints the model ties to others, before a frame
  int (*DrawCell)(int shown); // the cell around the robot (shown: the display's "Scene" flag);
                              // 1 asks for another frame. Set by the scene (SetModelCell)
  void (*DrawHeld)(void);     // in the tool frame, what the hand holds while the cell is shown
  int (*Bodies)(int part, JwPrimitive* out, int max);  // solids of part 0 ... n (model_solids)
} GeomMatch, *GeomMatchPtr;

extern GeomMatch geomlinks[];  // searched in order; rows only for models that exist
extern const int ngeomlinks;   // number of rows

// the row of a name: a model's row, else a row of a named cell without a model ("Rezir500");
// NULL when neither
GeomMatch* ModelRow(const char* name);
// the cell hooks of a row (nothing when name has no row)
void SetModelCell(const char* name, int (*cell)(int shown), void (*held)(void));

//------------------------------------------------------------------ generic bodies
// body dimensions from rad, then the bodies of all n links; geom 0 up, 1 down, else nothing
void MakeLinks(int n, Link* L, float rad, int geom);
// free hinge, linkz, linkx and elbow of every link, then MakeLinks
void RemakeLinks(int n, Link* L, float rad, int geom);

// one link's bodies; pos 0 first link, 1 middle link, 2 last link; the dimensions are those
// of the last MakeLinks; the up revolute builder also reads l[1] when pos is 0 or 1
void MakeDownRevoluteLink(Link* l, int pos);
void MakeDownPrismaticLink(Link* l, int pos);
void MakeUpRevoluteLink(Link* l, int pos);
void MakeUpPrismaticLink(Link* l, int pos);

// default end effector: palm h1 and fingers h2, h3 from rad and the last link's a and b
void MakeEE(DefaultEE* dEE, float rad, float a_last, float b_last);

//------------------------------------------------------------------ registry lookup
// first row named exactly as the robot: Init, remember Destroy, attach links and EElist,
// then the first end effector of the row's list whose type equals robot->EE.type. A robot
// whose number of links differs from the model's gets a message on stderr and no model; a
// "full" one is switched to the generic "down" bodies
void LinkMatchName(Robot r);
// Destroy of the row matched last, once; then forgotten
void FreeFullGeom(Robot r);
// the registry row whose model robot r carries (matched by its drawing table), or NULL
const GeomMatch* RobotModelRow(Robot r);

// drawing library only (links_gl.cpp): fill every model's drawing table and every drawer slot
void RegisterModelDrawing(void);

#endif
