// user_path.h -- paths as a user types and reads them: "~" expanded, relative paths made
// absolute, and the home folder written "~" in messages
#ifndef VELMORA_USER_PATH_H
#define VELMORA_USER_PATH_H

#define USER_PATH_MAX 4096   // longest path, terminating zero included

// the absolute form of a path a user gave: "~" or "~/..." below $HOME, "~user/..." below
// that user's home, "/..." as given, anything else below dir (leading "./" dropped); 0, or
// -1 when the home folder is unknown or out (size bytes) is too small
int UserPath(const char* arg, const char* dir, char* out, int size);
// 1 when a program argument names a file by its path rather than by a name: it holds "/"
int IsUserPath(const char* arg);
// path as a message shows it: absolute (a relative path lies below the working directory,
// leading "./" dropped) with the home folder ($HOME, when it is not "/") written "~";
// returns out, cut to size bytes
const char* ShownPath(const char* path, char* out, int size);

#endif
