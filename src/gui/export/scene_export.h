// scene_export.h -- the view replayed through gl2ps into a vector file: the page loop that the
// export dialog and the figure command share
#ifndef VELMORA_GUI_SCENE_EXPORT_H
#define VELMORA_GUI_SCENE_EXPORT_H

#include <stdio.h>  // for: FILE

// the feedback buffer starts at this many entries and grows by as many again per overflow
enum { ExportBufferStep = 65536 };

// how the primitives are put in depth order: gl2ps's BSP tree with the best root
// (GL2PS_BSP_SORT, also when 0 is set) or its painter's sort by centroid with occlusion
// culling (GL2PS_SIMPLE_SORT); the benchmark compares the two
void SetExportSort(int sort);
int GetExportSort(void);

// Draw the scene through draw (the view's context current, its viewport set) into fp as
// format (GL2PS_PS, GL2PS_EPS, GL2PS_PDF or GL2PS_SVG) with title; the feedback buffer grows
// by ExportBufferStep while gl2ps reports an overflow. Returns gl2ps's last state:
// GL2PS_SUCCESS, or an error (GL2PS_ERROR, GL2PS_NO_FEEDBACK, ...). fp stays open.
int ExportScenePages(FILE* fp, const char* title, int format, void (*draw)(void));
// feedback-buffer size of the last export's final pass, and its number of passes
int ExportBufferSize(void);
int ExportPasses(void);

// words for a gl2ps state, for messages ("success", "nothing was drawn", ...)
const char* ExportStateText(int state);

// ExportScenePages into path through a temporary file renamed over it, so that an old file
// survives any failure: 0, or -1 with the reason in ExportFailure() (gl2ps's state or the
// system's words)
int ExportSceneFile(const char* path, const char* title, int format, void (*draw)(void));
const char* ExportFailure(void);

#endif
