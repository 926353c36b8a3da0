// message.cpp -- the one way out for the core's warnings and trace lines
#include "base/message.h"

#include <stdio.h>  // for: vfprintf(), vsnprintf()

//------------------------------------------------------------------ module state

static MessageCallback callback = nullptr;  // NULL: print to the standard streams

//------------------------------------------------------------------ public API

void SetMessageCallback(MessageCallback cb) { callback = cb; }
MessageCallback GetMessageCallback(void) { return callback; }

void VmMessageV(int kind, const char* format, va_list ap) {
  if (callback) {
    char text[MSG_TEXT_MAX];
    vsnprintf(text, sizeof(text), format, ap);   // truncates, never overruns
    callback(kind, text);
    return;
  }
  FILE* f = kind == MsgWarning ? stderr : stdout;
  vfprintf(f, format, ap);
  if (kind != MsgTrace) fflush(f);
}

void VmMessage(int kind, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  VmMessageV(kind, format, ap);
  va_end(ap);
}
