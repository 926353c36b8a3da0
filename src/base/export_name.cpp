// export_name.cpp -- names and formats of exported scene files: the export dialog's file-name
// rule, the format codes of its extensions, and the format of a figure file's path
#include "base/export_name.h"

#include <string.h>   // for: strlen(), strchr(), strrchr(), memcpy()
#include <strings.h>  // for: strcasecmp()

//------------------------------------------------------------------ public API

// ".eps" 1, ".pdf" 3, ".svg" 4, anything else (".ps" or a typed text) 0
int ExportFormatOfExtension(const char* ext) {
  if (!strcmp(ext, ".eps")) return ExportEPS;
  if (!strcmp(ext, ".pdf")) return ExportPDF;
  if (!strcmp(ext, ".svg")) return ExportSVG;
  return ExportPS;
}

// the lengths are measured before anything is copied, so name never overflows
int ExportFileName(char name[ExportNameSize], const char* title, const char* ext) {
  name[0] = '\0';
  if (!title[0]) return ExportNameEmpty;
  if (strchr(title, '/') || strchr(ext, '/')) return ExportNameSlash;
  if (title[0] == '.') return ExportNameDot;
  size_t nt = strlen(title), ne = strlen(ext);
  if (nt + ne > ExportNameSize - 1) return ExportNameLong;
  memcpy(name, title, nt);
  memcpy(name + nt, ext, ne + 1);
  return ExportNameOk;
}

const char* ExportNameRefusal(int code) {
  switch (code) {
    case ExportNameEmpty: return "Export: type a file name";
    case ExportNameSlash: return "Export: a file name cannot hold \"/\"";
    case ExportNameDot: return "Export: a file name cannot start with \".\"";
    case ExportNameLong: return "Export: file name and extension exceed 29 characters";
  }
  return "";
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
