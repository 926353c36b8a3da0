// scene_export.cpp -- the view replayed through gl2ps into a vector file: the page loop that
// the export dialog and the figure command share
#include "gui/export/scene_export.h"

#include <FL/gl.h>  // for: GL calls
#include <gl2ps.h>  // for: gl2psBeginPage(), gl2psEndPage()
#include <string.h> // for: strerror()

#include "base/export_name.h"  // for: ExportFormatRowOf(), the format codes
#include "base/fileio.h"       // for: WriteFileQuietly()

static_assert(ExportPS == GL2PS_PS && ExportEPS == GL2PS_EPS && ExportPDF == GL2PS_PDF &&
              ExportSVG == GL2PS_SVG, "format codes are gl2ps's");
static_assert(ExportSortSimple == GL2PS_SIMPLE_SORT && ExportSortBSP == GL2PS_BSP_SORT,
              "sort codes are gl2ps's");

//------------------------------------------------------------------ module state
static int sort_set = 0;            // 0: the BSP tree
static int buffer_size = 0, passes = 0;
static const char* failure = "";

// what ExportSceneFile hands to the file writer
typedef struct _ExportJob_ {
  const char* title;
  int format;
  void (*draw)(void);
  int state;                        // gl2ps's last state
} ExportJob;

//------------------------------------------------------------------ static helpers

static int JobBody(FILE* f, const void* data) {
  ExportJob* job = (ExportJob*)data;
  job->state = ExportScenePages(f, job->title, job->format, job->draw);
  return job->state == GL2PS_SUCCESS ? 0 : -1;
}

//------------------------------------------------------------------ public API

void SetExportSort(int sort) { sort_set = sort; }
int GetExportSort(void) { return sort_set; }

int ExportScenePages(FILE* fp, const char* title, int format, void (*draw)(void)) {
  const ExportFormatRow* row = ExportFormatRowOf(format);
  int sort = sort_set ? sort_set : row && row->sort ? row->sort : GL2PS_BSP_SORT;
  GLint options = GL2PS_DRAW_BACKGROUND | GL2PS_USE_CURRENT_VIEWPORT;
  options |= sort == GL2PS_BSP_SORT ? GL2PS_BEST_ROOT : GL2PS_OCCLUSION_CULL;
  GLint state = GL2PS_OVERFLOW;
  buffer_size = 0;  passes = 0;
  while (state == GL2PS_OVERFLOW) {
    buffer_size += ExportBufferStep;
    passes++;
    state = gl2psBeginPage(title, "Velmora", nullptr, format, sort, options, GL_RGBA, 0,
                           nullptr, 0, 0, 0, buffer_size, fp, title);
    if (state != GL2PS_SUCCESS) break;
    draw();
    state = gl2psEndPage();
  }
  return state;
}

int ExportBufferSize(void) { return buffer_size; }
int ExportPasses(void) { return passes; }

const char* ExportStateText(int state) {
  switch (state) {
    case GL2PS_SUCCESS: return "success";
    case GL2PS_NO_FEEDBACK: return "nothing was drawn";
    case GL2PS_OVERFLOW: return "feedback buffer overflow";
    case GL2PS_UNINITIALIZED: return "the export was not started";
    default: return "gl2ps error";
  }
}

int ExportSceneFile(const char* path, const char* title, int format, void (*draw)(void)) {
  ExportJob job = {title, format, draw, GL2PS_UNINITIALIZED};
  int e = WriteFileQuietly(path, JobBody, &job);
  if (!e) return 0;
  failure = job.state != GL2PS_SUCCESS && job.state != GL2PS_UNINITIALIZED
                ? ExportStateText(job.state) : strerror(e);
  return -1;
}

const char* ExportFailure(void) { return failure; }
