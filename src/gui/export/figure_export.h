// figure_export.h -- the figure command: a robot's scene written to a file without a window,
//   velmora --export FILE [--pose q1 ... qn] [--view theta gamma scale] [--ortho]
//                         [--background r g b] [--scene] [--data DIR] ROBOT
#ifndef VELMORA_GUI_FIGURE_EXPORT_H
#define VELMORA_GUI_FIGURE_EXPORT_H

// the command's lines of the program's usage text, the formats from the format table
const char* FigureUsage(void);

// run the command on argv[0] = "--export" and what follows; the robot from the data folder
// (data, the program's --data, or the command's own --data, else the usual lookup), FILE
// where the shell is. The program's exit status: 0 when FILE was written, 1 after a message
// on standard error, 2 for a malformed command (a number that is not finite included)
int FigureCommand(int argc, char** argv, const char* data);

#endif
