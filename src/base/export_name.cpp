// export_name.cpp -- names and formats of exported scene files: the export dialog's file-name
// rule, the format codes of its extensions, and the format of a figure file's path
#include "base/export_name.h"

#include <string.h>   // for: strlen(), strcmp(), strrchr(), memcpy()
#include <strings.h>  // for: strcasecmp()

#include "base/file_name.h"  // for: FileNameProblem()

//------------------------------------------------------------------ public API

// ".eps" 1, ".pdf" 3, ".svg" 4, anything else (".ps" or a typed text) 0
int ExportFormatOfExtension(const char* ext) {
  if (!strcmp(ext, ".eps")) return ExportEPS;
  if (!strcmp(ext, ".pdf")) return ExportPDF;
  if (!strcmp(ext, ".svg")) return ExportSVG;
  return ExportPS;
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
  if (!strcasecmp(dot, ".eps")) return ExportEPS;
  if (!strcasecmp(dot, ".ps")) return ExportPS;
  if (!strcasecmp(dot, ".pdf")) return ExportPDF;
  if (!strcasecmp(dot, ".svg")) return ExportSVG;
  if (!strcasecmp(dot, ".png")) return ExportPNG;
  return -1;
}
