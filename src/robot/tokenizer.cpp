// tokenizer.cpp -- the lexer and keyword-assignment parser shared by the robot and joint
// configuration readers
#include "robot/tokenizer.h"

#include <stdarg.h>  // for: va_list
#include <stdio.h>   // for: fopen(), fmemopen(), getc()
#include <string.h>  // for: strcmp(), strlen()

#include "graphics/misc.h"  // for: JwWarning()
#include "base/message.h"   // for: VmMessageV()
#include "base/number.h"    // for: ParseNumber()

//------------------------------------------------------------------ module state

static char file[TOK_PATH_MAX + 1];   // path of the open input
static FILE* fp = nullptr;            // the open input
static int ch = EOF;                  // look-ahead character
static int line = 1;                  // current line, counted from 1
static Token T;                       // scratch token of the assignment parser
static int trace = 1;                 // assignment trace on standard output
static int pending_error = 0;         // a look-ahead found an error: the next token is Error

//------------------------------------------------------------------ static helpers

// next character into ch; a newline counts once it is passed, so line is the line of ch
static void NextChar(void) {
  if (ch == '\n') line++;
  ch = getc(fp);
}

// look at the character after ch without consuming it
static int PeekChar(void) {
  int c = getc(fp);
  if (c != EOF) ungetc(c, fp);
  return c;
}

static int IsStartOfComment(int c) { return c == '/' && PeekChar() == '*'; }
static int IsEndOfComment(int c) { return c == '*' && PeekChar() == '/'; }
static int IsLetter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
static int IsDigit(int c) { return c >= '0' && c <= '9'; }

// a name; longer than TOK_NAME_MAX characters is an error, the rest of it is skipped
static int ReadString(Token* t) {
  int k = 0;
  while (IsLetter(ch) || IsDigit(ch)) {
    if (k < TOK_NAME_MAX) t->name[k] = (char)ch;
    k++;
    NextChar();
  }
  t->name[k < TOK_NAME_MAX ? k : TOK_NAME_MAX] = '\0';
  if (k > TOK_NAME_MAX) {
    JwWarning("%s: Name: %s too long on line %d\n", file, t->name, line);
    return t->type = Error;
  }
  return t->type = Name;
}

// sign, digits with at most one '.', one exponent after a digit with an optional sign;
// stops at the first character that does not fit; no digit, a text longer than
// TOK_NUMBER_MAX or a value beyond float range is an error
static int ReadReal(Token* t) {
  char text[TOK_NUMBER_MAX + 1];
  int k = 0, len = 0, digits = 0, dot = 0, expo = 0, expo_at = 0, expo_digits = 0;
  auto keep = [&](int c) {
    if (k < TOK_NUMBER_MAX) text[k++] = (char)c;
    len++;
    NextChar();
  };
  if (ch == '+' || ch == '-') keep(ch);
  for (;;) {
    if (IsDigit(ch)) {
      if (!expo) digits++;
      else expo_digits++;
      keep(ch);
    } else if (ch == '.' && !dot && !expo) {
      dot = 1;
      keep(ch);
    } else if ((ch == 'e' || ch == 'E') && digits > 0 && !expo) {
      expo = 1;
      expo_at = k;
      keep(ch);
      if (ch == '+' || ch == '-') keep(ch);
    } else {
      break;
    }
  }
  text[k] = '\0';
  if (digits == 0 || len > TOK_NUMBER_MAX) {
    JwWarning("%s: syntax error at line %d\n", file, line);
    return t->type = Error;
  }
  if (expo && expo_digits == 0) text[expo_at] = '\0';   // "1e" and "1e+" read as 1
  double v = 0;
  if (ParseNumber(text, -1, NumFloat, &v) != 0) {   // beyond float range (or not a number)
    JwWarning("%s: syntax error at line %d\n", file, line);
    return t->type = Error;
  }
  t->value = (float)v;
  t->ival = (v > 2147483647.0 || v < -2147483648.0) ? 0 : (int)v;
  return t->type = (dot || expo) ? Float : Int;
}

// reading starts on stream f (NULL: the one message, -1) at line 1 with its first character
static int StartOn(FILE* f) {
  if (!(fp = f)) {
    JwWarning("Unable to open file `%s'\n", file);
    return -1;
  }
  line = 1;
  pending_error = 0;
  ch = getc(fp);
  return 0;
}

//------------------------------------------------------------------ public API: input

int TokOpen(const char* path) {
  TokClose();
  snprintf(file, sizeof(file), "%s", path);
  return StartOn(fopen(path, "r"));
}

int TokOpenText(const char* text, const char* label) {
  TokClose();
  snprintf(file, sizeof(file), "%s", label ? label : "(text)");
  size_t len = text ? strlen(text) : 0;
  // a stream of no bytes is refused by some C libraries: one blank reads the same
  return StartOn(len ? fmemopen((void*)text, len, "r") : fmemopen((void*)" ", 1, "r"));
}

void TokClose(void) {
  if (fp) fclose(fp);
  fp = nullptr;
  ch = EOF;
}

int TokLine(void) { return line; }
const char* TokPath(void) { return file; }

void SetTokenTrace(int on) { trace = on; }
int GetTokenTrace(void) { return trace; }

void TokTrace(const char* format, ...) {
  if (!trace) return;
  va_list ap;
  va_start(ap, format);
  VmMessageV(MsgTrace, format, ap);
  va_end(ap);
}

//------------------------------------------------------------------ public API: characters

int IsWhite(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
int IsSpace(int c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
int IsDelimit(int c) { return c == ',' || c == ';'; }
int IsOperator(int c) { return c == '{' || c == '}' || c == '[' || c == ']' || c == '='; }
int IsNumeric(int c) { return IsDigit(c) || c == '+' || c == '-' || c == '.'; }

//------------------------------------------------------------------ public API: lexing

// comments nest; a depth counter instead of recursion keeps deep nesting off the stack
int RemoveComment(void) {
  long depth = 1;
  while (depth > 0) {
    if (ch == EOF) return -1;
    if (IsStartOfComment(ch)) {
      NextChar();  NextChar();
      depth++;
    } else if (IsEndOfComment(ch)) {
      NextChar();  NextChar();
      depth--;
    } else {
      NextChar();
    }
  }
  return 0;
}

void SkipWhite(void) {
  while (IsWhite(ch)) NextChar();
}

int SkipWhiteComment(void) {
  for (;;) {
    SkipWhite();
    if (!IsStartOfComment(ch)) return 0;
    NextChar();  NextChar();
    if (RemoveComment() < 0) return -1;
  }
}

int ReadToken(Token* t) {
  if (pending_error) {
    pending_error = 0;
    return t->type = Error;
  }
  if (SkipWhiteComment() < 0) {
    JwWarning("%s: Unterminated comment\n", file);
    return t->type = Error;
  }
  t->c = (char)ch;
  if (ch == EOF) return t->type = EndOfFile;
  if (IsLetter(ch)) return ReadString(t);
  if (IsNumeric(ch)) return ReadReal(t);
  int c = ch;
  if (IsDelimit(c)) {
    NextChar();
    return t->type = Delimit;
  }
  if (IsOperator(c)) {
    NextChar();
    switch (c) {
      case '{': return t->type = OpenLink;
      case '}': return t->type = CloseLink;
      case '[': return t->type = OpenVect;
      case ']': return t->type = CloseVect;
      default: return t->type = Equals;
    }
  }
  // any other character, NUL included; consumed so that a caller never loops on it
  JwWarning("%s: syntax error at line %d\n", file, line);
  NextChar();
  return t->type = Error;
}

// an unterminated comment is reported here, and the token read next is Error
int NextTokenType(void) {
  if (pending_error) return Error;
  if (SkipWhiteComment() < 0) {
    JwWarning("%s: Unterminated comment\n", file);
    pending_error = 1;
    return Error;
  }
  if (ch == EOF) return EndOfFile;
  if (IsLetter(ch)) return Name;
  if (IsNumeric(ch)) return Float;
  if (IsDelimit(ch)) return Delimit;
  switch (ch) {
    case '{': return OpenLink;
    case '}': return CloseLink;
    case '[': return OpenVect;
    case ']': return CloseVect;
    case '=': return Equals;
  }
  return Error;
}

//------------------------------------------------------------------ public API: assignments

int ConvertName(const Symbol* s, const char* text) {
  for (const NameVal* nv = s->Nlist; nv && nv->name; nv++) {
    if (strcmp(nv->name, text) == 0) {
      *(int*)s->val = nv->val;
      return 0;
    }
  }
  return 1;
}

// a file that ends right after its last value is accepted as if a newline followed
int RemoveOptionalDelimit(int in_vector) {
  while (IsStartOfComment(ch)) {
    NextChar();  NextChar();
    if (RemoveComment() < 0) {
      if (in_vector) JwWarning("Unterminated comment\n");
      else JwWarning("%s: Unterminated comment\n", file);
      return -1;
    }
  }
  if (IsWhite(ch) || IsDelimit(ch)) {
    if (SkipWhiteComment() < 0) {
      if (in_vector) JwWarning("Unterminated comment\n");
      else JwWarning("%s: Unterminated comment\n", file);
      return -1;
    }
    if (IsDelimit(ch)) {
      TokTrace("%c", ch);
      NextChar();
    }
    return 0;
  }
  if (in_vector && ch == ']') return 0;
  if (ch == EOF) return 0;
  return NextTokenType() == CloseLink ? 0 : 1;
}

// entries are checked against s->n before they are stored, so a long vector never writes
// past the end of its target
int ReadVector(const Symbol* s) {
  float* v = (float*)s->val;
  int k = 0;
  TokTrace("[ ");
  for (;;) {
    if (SkipWhiteComment() < 0) {
      JwWarning("Unterminated comment\n");
      return 1;
    }
    int tt = ReadToken(&T);
    if (tt == CloseVect) {
      if (k != s->n) {
        JwWarning("Improper number of entries in vector on line %d in %s\n", line, file);
        return 1;
      }
      TokTrace(" ]");
      return 0;
    }
    if (k >= s->n) {
      JwWarning("Improper number of entries in vector on line %d in %s\n", line, file);
      return 1;
    }
    if (tt != Float && tt != Int) {
      JwWarning("Bad float on line %d in %s\n", line, file);
      return 1;
    }
    v[k++] = T.value;
    TokTrace(" %f ", T.value);
    int rc = RemoveOptionalDelimit(1);
    if (rc != 0) {
      if (rc > 0) JwWarning("Syntax error: at line %d in %s\n", line, file);
      return 1;
    }
  }
}

int ReadAssignment(const char* name, int nl, const Symbol* table) {
  const Symbol* s = nullptr;
  for (int i = 0; i < nl; i++) {
    if (strcmp(table[i].name, name) == 0) {
      s = &table[i];
      break;
    }
  }
  if (!s) {
    JwWarning("Unexpected name '%s' at line %d in %s\n", name, line, file);
    return 1;
  }
  if (ReadToken(&T) != Equals) {
    JwWarning("'=' expected at line %d in %s\n", line, file);
    return 1;
  }
  TokTrace(" %c ", '=');
  int tt = ReadToken(&T);
  if (s->tt == Name) {
    if (tt != Name) {
      JwWarning("Type mismatch:Name expected at line %d in %s\n", line, file);
      return 1;
    }
    if (ConvertName(s, T.name) != 0) {
      JwWarning("Unrecognized value '%s' at line %d in %s\n", T.name, line, file);
      return 1;
    }
    TokTrace(" %d ", *(int*)s->val);
  } else if (s->tt == Float) {
    if (tt != Float && tt != Int) {
      JwWarning("Type mismatch:Float expected at line %d in %s\n", line, file);
      return 1;
    }
    *(float*)s->val = T.value;
    TokTrace(" %f ", T.value);
  } else {
    if (tt != OpenVect) {
      JwWarning("Type mismatch: Vector expected at line %d in %s\n", line, file);
      return 1;
    }
    if (ReadVector(s) != 0) return 1;
  }
  int rc = RemoveOptionalDelimit(0);
  if (rc != 0) {
    if (rc > 0) JwWarning("Syntax error: at line %d in %s\n", line, file);
    return 1;
  }
  TokTrace("\n");
  return 0;
}
