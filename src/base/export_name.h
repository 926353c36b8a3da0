// export_name.h -- names and formats of exported scene files: the export dialog's file-name
// rule, the format codes of its extensions, and the format of a figure file's path
#ifndef VELMORA_EXPORT_NAME_H
#define VELMORA_EXPORT_NAME_H

// the dialog's file name holds at most 29 characters and the terminating NUL
enum { ExportNameSize = 30 };

// output format codes, the values gl2ps gives them; ExportPNG and the animations are the
// figure command's own
enum { ExportPS = 0, ExportEPS = 1, ExportPDF = 3, ExportSVG = 4, ExportPNG = 100,
       ExportGIF = 200, ExportMP4 = 201, ExportWebM = 202 };
// depth orders of a vector page, gl2ps's values: painter's sort by centroid, BSP tree
enum { ExportSortNone = 0, ExportSortSimple = 2, ExportSortBSP = 3 };

// one format of an exported figure: a new format is one new row of export_formats
typedef struct _ExportFormatRow_ {
  const char* ext;    // extension with its dot, lower case
  int format;         // format code (gl2ps's for a vector page)
  int sort;           // depth order of a vector page; ExportSortNone for pixels
  int dialog;         // 1: offered by the export dialog, in table order
  const char* name;   // what the file holds, for texts
  int animation;      // 1: a trajectory played into frames
} ExportFormatRow;

extern const ExportFormatRow export_formats[];
extern const int nexport_formats;

// the row of extension ext, compared exactly (dialog) or ignoring letter case; NULL if none
const ExportFormatRow* ExportFormatOfExt(const char* ext, int ignore_case);
// the row of format code format; NULL if none
const ExportFormatRow* ExportFormatRowOf(int format);
// which rows a list names: all, the dialog's, the vector pages, the pixel images, the
// animations
enum { ExportListAll = 0, ExportListDialog, ExportListVector, ExportListPixels,
       ExportListAnimation };
// the extensions of the rows of kind which joined into out, the last two by last (" or "), the
// others by ", ": ".eps, .ps, .pdf or .svg"; returns out
char* ExportFormatList(char* out, int size, int which, const char* last);

// ".eps" 1, ".pdf" 3, ".svg" 4, anything else (".ps" or a typed text) 0
int ExportFormatOfExtension(const char* ext);
// name = title followed by ext: NULL; else the refusal of the file-name rule
// (FileNameProblem) for title, or for the whole name of at most 29 characters, and name ""
const char* ExportFileName(char name[ExportNameSize], const char* title, const char* ext);
// format of a figure file: the code of the row of the extension of its last path part,
// letter case ignored; -1 for any other extension or none
int ExportFormatOfPath(const char* path);

#endif
