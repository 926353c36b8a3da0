// export_name.h -- names and formats of exported scene files: the export dialog's file-name
// rule, the format codes of its extensions, and the format of a figure file's path
#ifndef VELMORA_EXPORT_NAME_H
#define VELMORA_EXPORT_NAME_H

// the dialog's file name holds at most 29 characters and the terminating NUL
enum { ExportNameSize = 30 };

// output format codes, the values gl2ps gives them; ExportPNG is the figure command's own
enum { ExportPS = 0, ExportEPS = 1, ExportPDF = 3, ExportSVG = 4, ExportPNG = 100 };

// ".eps" 1, ".pdf" 3, ".svg" 4, anything else (".ps" or a typed text) 0
int ExportFormatOfExtension(const char* ext);
// name = title followed by ext: NULL; else the refusal of the file-name rule
// (FileNameProblem) for title, or for the whole name of at most 29 characters, and name ""
const char* ExportFileName(char name[ExportNameSize], const char* title, const char* ext);
// format of a figure file by the extension of its last path part, letter case ignored:
// ".eps", ".ps", ".pdf", ".svg" their codes, ".png" ExportPNG, anything else -1
int ExportFormatOfPath(const char* path);

#endif
