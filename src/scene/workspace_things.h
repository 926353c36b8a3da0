// workspace_things.h -- the things of the work-environment objects, built on demand and kept
// while the object's type, dimensions and colour stay the same
#ifndef VELMORA_SCENE_WORKSPACE_THINGS_H
#define VELMORA_SCENE_WORKSPACE_THINGS_H

#include "scene/things.h"

// a new thing for object i of the work-environment tables, by its type (NULL: unknown type)
Thing BuildWorkspaceThing(int i);
// object i's thing: the kept one while type, dimensions and colour are unchanged since it was
// built, else a fresh one (the old one destroyed); owned here, never by the caller
Thing WorkspaceThing(int i);
// destroy every kept thing
void FreeWorkspaceThings(void);

#endif
