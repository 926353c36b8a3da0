// workspace_kinds.h -- the kinds of work-environment object, one row each: the name files and
// lists use, the builder of its thing, the pivot its rotations turn about, the dimensions the
// Work Environment dialog offers and the dimension a file writes as 0
#ifndef VELMORA_WORKSPACE_KINDS_H
#define VELMORA_WORKSPACE_KINDS_H

struct _Thing_;

typedef struct _WorkspaceKind_ {
  const char* name;            // "Table": the file's word, the list's entry
  // the thing of an object of this kind with dimensions info and packed colour
  struct _Thing_* (*build)(const float info[3], unsigned long colour);
  // the pivot o of an object with dimensions info, measured from its origin; e1, e2 are 1
  // for the reference corner the user chose (E1, E2), else 0
  void (*pivot)(const float info[3], float e1, float e2, float o[3]);
  const char* label[3];        // the dimension spinners' labels
  int active[3];               // 1 where the spinner is used
  double step[3];              // and their steps
  int chosen_dim;              // set to 1 when the user picks the kind (-1: none)
  int zero_dim;                // written as 0 by a save: unused, whatever it holds (-1: none)
} WorkspaceKind;

// the kinds by type code, 1 to WorkspaceKindCount (WorkspaceTypeCode); no row for 0
const WorkspaceKind* WorkspaceKindOf(int type);
extern const int WorkspaceKindCount;
// "" for a code that is no kind
const char* WorkspaceKindName(int type);
// the code of the kind named exactly name, or -1
int WorkspaceKindByName(const char* name);

#endif
