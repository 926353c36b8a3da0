// message.h -- the one way out for the core's warnings and trace lines
#ifndef VELMORA_MESSAGE_H
#define VELMORA_MESSAGE_H

#include <stdarg.h>  // for: va_list

// kinds of message: a trace line goes to standard output, a warning to standard error; a
// refusal is a failure the system reports on standard output (the readers' "ERROR" lines):
// printed as a trace line is, and shown to the user as a warning is
enum MessageKind { MsgTrace = 1, MsgWarning = 2, MsgRefusal = 3 };

// receives every message, already formatted (at most MSG_TEXT_MAX - 1 characters kept)
typedef void (*MessageCallback)(int kind, const char* text);
#define MSG_TEXT_MAX 1024

// print the message in its words to its stream, or hand it to the callback when one is set
void VmMessage(int kind, const char* format, ...);
void VmMessageV(int kind, const char* format, va_list ap);
// install a callback (the message line, tests); NULL restores printing
void SetMessageCallback(MessageCallback cb);
MessageCallback GetMessageCallback(void);

#endif
