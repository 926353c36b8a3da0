// data_dir.h -- the data folder: which one the programs use, its first-start copy of the
// samples, and the switch into it
#ifndef VELMORA_DATA_DIR_H
#define VELMORA_DATA_DIR_H

// how the folder in use was chosen
enum DataDirOrigin {
  DATA_DIR_GIVEN = 0,     // --data DIR
  DATA_DIR_WORKING = 1,   // the working directory holds "Arch"
  DATA_DIR_USER = 2       // $XDG_DATA_HOME/velmora, else $HOME/.local/share/velmora
};

#define DATA_DIR_MAX 4096   // longest folder name, terminating zero included

//------------------------------------------------------------------ choice
// the folder the programs would use, without creating anything: given when not NULL, else
// the working directory when it holds "Arch", else the user folder; path gets it (size
// bytes at most), origin how it was chosen; 0, or -1 after one message
int DataDirChoose(const char* given, char* path, int size, int* origin);
// "given by --data", "working directory" or "user folder"
const char* DataDirOriginText(int origin);
// the line --help prints, "data folder: PATH (how it was chosen)", with ", made on first
// use" when the folder does not exist yet; nothing is created; 0, or -1 after one message
int DataDirDescribe(const char* given, char* line, int size);

//------------------------------------------------------------------ start
// choose the folder; a user folder without "Arch" is made and gets the samples (never over
// a user's file); the kind folders missing in it are made, and the temporaries of
// interrupted saves in it and its kind folders removed (RemoveSaveTemporaries); then the
// process changes into it; 0, or -1 after one message with the working directory unchanged
int DataDirStart(const char* given);
// the folder in use after DataDirStart, absolute ("" before)
const char* DataDirPath(void);
// how it was chosen (DATA_DIR_...; -1 before DataDirStart)
int DataDirGetOrigin(void);

//------------------------------------------------------------------ samples
// where the samples are copied from; default: the program's ../share/velmora/data, else the
// installed one, else the source tree's (a program in its build folder); NULL restores it
void DataDirSetSamples(const char* dir);
const char* DataDirGetSamples(void);
// copy the kind folders of src and their files into dst, skipping the files dst already
// has and the names the lists hide (FileNameListed: a leading "." or "~", a trailing "~" or
// ".CKP"); the number of files copied, or -1 after one
// message (a half-copied file is removed)
int DataDirSeed(const char* src, const char* dst);

#endif
