// robot_import.h -- a robot file from anywhere taken into the data folder: checked by the
// robot reader, copied into "Arch" under its own name with its description, never over
// another robot unless the caller says so
#ifndef VELMORA_ROBOT_IMPORT_H
#define VELMORA_ROBOT_IMPORT_H

enum RobotImportResult {
  RobotImported = 0,          // the file (and its description, when it has one) copied
  RobotImportedBare = 1,      // the file copied, its description not (after the message)
  RobotImportSame = 2,        // "Arch" holds these bytes under the name already (or path is
                              //   that very file): nothing written
  RobotImportExists = 3,      // "Arch" holds another robot of the name and overwrite is 0:
                              //   nothing written
  RobotImportRefused = -1,    // not a plain file, a name the file-name rule refuses, or a
                              //   file the reader refuses (after its message): nothing written
  RobotImportNotWritten = -2  // the copy failed (after the message): the old file stays
};

// the description that travels with the robot file at path: "Description/" + its name in
// the folder of path, or, when that folder is an "Arch", in the folder beside it (the
// layout of a data folder); into desc (size bytes); 1 when that file exists, else 0
int RobotImportDescription(const char* path, char* desc, int size);

// take the robot file at path into the data folder (the working directory): the reader
// checks it (allRevolute and the current robot untouched); its last path part is the robot's
// name (into name, ROBOT_NAME_MAX + 1 bytes; RobotNameProblem must accept it); it is copied
// to "Arch/" + name through a temporary file, and RobotImportDescription's file to
// "Description/" + name the same way. With overwrite 0 a different file of that name in
// "Arch" stays and RobotImportExists is returned. One of RobotImportResult.
int ImportRobotFile(const char* path, int overwrite, char* name);

#endif
