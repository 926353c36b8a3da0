// export_name.cpp -- names and formats of exported scene files: the export dialog's file-name
// rule, the format codes of its extensions, and the format of a figure file's path
#include "base/export_name.h"

#include <stdio.h>    // for: snprintf()
#include <string.h>   // for: strlen(), strcmp(), strrchr(), memcpy()
#include <strings.h>  // for: strcasecmp()

#include "base/file_name.h"  // for: FileNameProblem()

//------------------------------------------------------------------ the formats
const ExportFormatRow export_formats[] = {
  {".eps", ExportEPS, ExportSortBSP, 1, "Encapsulated PostScript", 0},
  {".ps", ExportPS, ExportSortBSP, 1, "PostScript", 0},
  {".pdf", ExportPDF, ExportSortBSP, 1, "PDF", 0},
  {".svg", ExportSVG, ExportSortBSP, 1, "SVG", 0},
  {".png", ExportPNG, ExportSortNone, 0, "PNG pixels", 0},
  {".gif", ExportGIF, ExportSortNone, 0, "GIF animation", 1},
  {".mp4", ExportMP4, ExportSortNone, 0, "MP4 video", 1},
  {".webm", ExportWebM, ExportSortNone, 0, "WebM video", 1},
};
const int nexport_formats = (int)(sizeof(export_formats)/sizeof(export_formats[0]));

//------------------------------------------------------------------ public API

const ExportFormatRow* ExportFormatOfExt(const char* ext, int ignore_case) {
  for (int i = 0; ext && i < nexport_formats; i++) {
    const char* e = export_formats[i].ext;
    if (ignore_case ? !strcasecmp(ext, e) : !strcmp(ext, e)) return &export_formats[i];
  }
  return nullptr;
}

const ExportFormatRow* ExportFormatRowOf(int format) {
  for (int i = 0; i < nexport_formats; i++)
    if (export_formats[i].format == format) return &export_formats[i];
  return nullptr;
}

// row f belongs to the list which
static int Listed(const ExportFormatRow* f, int which) {
  if (which == ExportListDialog) return f->dialog;
  if (which == ExportListVector) return f->sort != ExportSortNone;
  if (which == ExportListPixels) return f->sort == ExportSortNone && !f->animation;
  if (which == ExportListAnimation) return f->animation;
  return 1;
}

char* ExportFormatList(char* out, int size, int which, const char* last) {
  int n = 0, k = 0, used = 0;
  for (int i = 0; i < nexport_formats; i++) n += Listed(&export_formats[i], which);
  out[0] = '\0';
  for (int i = 0; i < nexport_formats; i++) {
    if (!Listed(&export_formats[i], which)) continue;
    const char* sep = k == 0 ? "" : k == n - 1 ? last : ", ";
    int w = snprintf(out + used, size - used, "%s%s", sep, export_formats[i].ext);
    if (w < 0 || w >= size - used) {   // no partial extension
      out[used] = '\0';
      break;
    }
    used += w;
    k++;
  }
  return out;
}

// ".eps" 1, ".pdf" 3, ".svg" 4, anything else (".ps" or a typed text) 0
int ExportFormatOfExtension(const char* ext) {
  const ExportFormatRow* f = ExportFormatOfExt(ext, 0);
  return f && f->dialog ? f->format : ExportPS;
}

// the lengths are measured before anything is copied, so name never overflows; the whole
// name is checked too, for what the extension brings ("/", control characters)
const char* ExportFileName(char name[ExportNameSize], const char* title, const char* ext) {
  name[0] = '\0';
  size_t ne = strlen(ext);
  int room = ExportNameSize - 1 - (int)ne;
  const char* why = FileNameProblem(title, room);
  if (why) return why;
  size_t nt = strlen(title);
  char whole[ExportNameSize];
  memcpy(whole, title, nt);
  memcpy(whole + nt, ext, ne + 1);
  if ((why = FileNameProblem(whole, ExportNameSize - 1)) != nullptr) return why;
  memcpy(name, whole, nt + ne + 1);
  return nullptr;
}

int ExportFormatOfPath(const char* path) {
  const char* base = strrchr(path, '/');
  base = base ? base + 1 : path;
  const char* dot = strrchr(base, '.');
  if (!dot || dot == base) return -1;   // no extension, or a hidden name alone
  const ExportFormatRow* f = ExportFormatOfExt(dot, 1);
  return f ? f->format : -1;
}
