// workspace_file.h -- work-environment files in "Workspace": reader, writer, name rule, list
#ifndef VELMORA_WORKSPACE_FILE_H
#define VELMORA_WORKSPACE_FILE_H

#define WS_DIR "Workspace"      // below the working directory
#define WS_FILE_NAME_MAX 245    // longest file name: the path and the writer's temporary fit
#define WS_WORD_MAX 63          // longest word the reader takes (type and colour names)

// 0 when a typed name may become a file in "Workspace": the file-name rule (FileNameProblem)
// with WS_FILE_NAME_MAX; else -1 after its refusal as the one message
int CheckWorkspaceFileName(const char* name);

// read "Workspace/" + name: the count (1 to 1000), then per object the type name, pos,
// info, colour name, angle and show flag, blank-separated; unknown type or colour names
// keep the entry's previous value (with a warning); numbers must fit a float; info is
// clamped to [0, 50] and pos to [-10000, 10000] as the dialog does. The tables change only
// when the whole file reads: 0, or -1 after one message with the environment as it was.
// On success Workspace_ID and coord_id are kept when they still name an object, else
// reset to 0 and -1.
int ReadWorkspace(const char* name);

// write the first workspace_number objects to "Workspace/" + name (the directory is made
// when missing) in the layout the reader takes: " %d\n" for the count, then "     %s\n"
// names, "     %lf\n" numbers (0 for a Surface's info[1]) and "     %d\n" for the flag;
// a type or colour without a name is written as the start-up "Table" or "Grey". Through
// a temporary file renamed over the old one: 0 when completely written, else -1 after one
// message, any old file left as it was
int WriteWorkspace(const char* name);

// 1 when a directory entry of "Workspace" belongs in the load list: no leading ".", no
// trailing "~" or ".CKP"
int workspace_fill_match(const char* entry);

#endif
