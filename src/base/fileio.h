// fileio.h -- path making and safe file writing shared by every writer of the program
#ifndef VELMORA_FILEIO_H
#define VELMORA_FILEIO_H

#include <stdio.h>  // for: FILE

#define TOK_PATH_MAX 255      // longest path

// path = dir + "/" + name, or name itself when it starts with '/' or '~'; 0, or -1 when it
// does not fit (the path then holds as much as fits)
int MakePath(char* path, const char* dir, const char* name);

// write a file through a temporary file in the same directory renamed over the old one (the
// temporary is ".NAME.XXXXXX", locked by its writer until it is renamed or removed);
// body returns 0 when everything it printed went out; 0, or -1 after
// "Unable to write file `%s'" (with the reason when the system gives one); an old file
// survives any failure
int WriteFileSafely(const char* path, int (*body)(FILE* f, const void* data), const void* data);
// the same without the message: 0, or the errno of the failure (EIO when body failed)
int WriteFileQuietly(const char* path, int (*body)(FILE* f, const void* data), const void* data);

// 1 when a folder entry has the form of a save's temporary: ".", a name, ".", then six
// letters or digits
int IsSaveTemporary(const char* entry);
// remove from dir the temporaries that interrupted saves left: regular files of that form
// whose writer is gone (no lock on them); anything else, and a live save's temporary, stays;
// the number removed
int RemoveSaveTemporaries(const char* dir);

#endif
