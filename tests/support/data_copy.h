// data_copy.h -- test helpers for the file readers: a private copy of data/ to work in
#ifndef VELMORA_TEST_DATA_COPY_H
#define VELMORA_TEST_DATA_COPY_H

#include <string>

// a fresh directory under /tmp holding a copy of the repository's data/ (with_data 1) or
// the empty data directories (with_data 0); the process changes into it. Returns the path.
std::string EnterDataCopy(int with_data);
// back to the directory the process was in, and the copy removed
void LeaveDataCopy(const std::string& dir);
// whole file as text ("" when missing)
std::string ReadTextFile(const std::string& path);
// write text to path; 0 or -1
int WriteTextFile(const std::string& path, const std::string& text);
// names of the regular files in a directory, sorted
std::string ListFiles(const std::string& dir);

#endif
