// file_name.h -- the one rule for a name typed into a dialog that becomes a file name inside
// its folder, and the one rule for which folder entries the pick lists show
#ifndef VELMORA_FILE_NAME_H
#define VELMORA_FILE_NAME_H

// why name cannot be a file name inside its folder, or NULL when it can: refused are NULL or
// empty, a "/", a leading "." or "~", a control character (below 32, or 127), a trailing
// "~" or ".CKP" (the lists hide those) and more than max characters; the words are
//   "File name is empty"
//   "File name must not contain \"/\""
//   "File name must not begin with \".\""
//   "File name must not begin with \"~\""
//   "File name must not contain control characters"
//   "File name must not end with \"~\" or \".CKP\""
//   "File name is too long (at most MAX characters)"
// (the last one is kept until the next call)
const char* FileNameProblem(const char* name, int max);

// 1 when a pick list shows a folder entry: it does not begin with "." or "~" and does not
// end with "~" or ".CKP"; a save's temporary file (".NAME.XXXXXX") is never shown
int FileNameListed(const char* entry);

#endif
