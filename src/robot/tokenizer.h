// tokenizer.h -- the lexer and keyword-assignment parser shared by the robot and joint
// configuration readers; one input file at a time, state kept in the module
#ifndef VELMORA_TOKENIZER_H
#define VELMORA_TOKENIZER_H

#include <stdio.h>  // for: FILE

#include "base/fileio.h"  // for: MakePath(), TOK_PATH_MAX (the readers build paths with it)

//------------------------------------------------------------------ tokens
// token types; the numbers order the readers' decisions
enum TokenType {
  Error = 0,      // anything else, or a malformed token
  Name = 1,       // letter or '_', then letters, digits, '_'; at most 32 characters
  Float = 2,      // number with '.' or an exponent
  Int = 3,        // number without them
  Delimit = 4,    // ',' or ';'
  OpenLink = 5,   // '{'
  CloseLink = 6,  // '}'
  OpenVect = 7,   // '['
  CloseVect = 8,  // ']'
  Equals = 9,     // '='
  EndOfFile = 10
};

#define TOK_NAME_MAX 32       // longest accepted name
#define TOK_NUMBER_MAX 51     // longest accepted number text

typedef struct _Token_ {
  int type;
  char name[TOK_NAME_MAX + 1];  // Name: the text
  float value;                  // Float and Int: the value
  int ival;                     // Int: the value truncated
  char c;                       // operators and delimiters: the character
} Token;

//------------------------------------------------------------------ keyword tables
typedef struct _NameVal_ {
  const char* name;           // value text; NULL ends a list
  int val;                    // its number
} NameVal;

typedef struct _Symbol_ {
  const char* name;           // keyword
  int tt;                     // value token: Name, Float or OpenVect
  int fmt;                    // Name: Int (listed name stored as int); vector: Float entries
  void* val;                  // where the value goes: int* for names, float* otherwise
  const NameVal* Nlist;       // allowed names and their numbers
  int n;                      // vectors: exact number of entries
} Symbol;

//------------------------------------------------------------------ input
// open a path for reading, line 1, first character read; 0, or -1 after
// "Unable to open file `%s'\n"
int TokOpen(const char* path);
// the same for a text in memory (read, never changed, while open); label names it in the
// messages
int TokOpenText(const char* text, const char* label);
// close the input (nothing when none is open)
void TokClose(void);
// current line, path of the open input
int TokLine(void);
const char* TokPath(void);

//------------------------------------------------------------------ lexical functions
// next token into t, consumed; tokenizer errors print their message and give Error
int ReadToken(Token* t);
// type of the next token, not consumed (white space and comments before it are)
int NextTokenType(void);
// "= value" for a keyword just read; 0 success, 1 failure after one message
int ReadAssignment(const char* name, int nl, const Symbol* table);
// store the number of a listed name; 0, or 1 when the text is not in the list
int ConvertName(const Symbol* s, const char* text);
// entries after '[' up to ']'; exactly s->n of them; 0 success, 1 failure
int ReadVector(const Symbol* s);
// what may follow a value: white space, comments, one delimiter, or '}' (and ']' in a
// vector); 0 accepted, 1 not, -1 after the message of an unterminated comment
int RemoveOptionalDelimit(int in_vector);
// white space and comments; 0, or -1 at an unterminated comment
int SkipWhiteComment(void);
void SkipWhite(void);
// after "/*": up to the matching "*/", nesting; 0, or -1 at end of file
int RemoveComment(void);

// character classes
int IsWhite(int c);           // space, tab, newline, vertical tab, form feed, return
int IsSpace(int c);           // the same without newline
int IsDelimit(int c);         // ',' ';'
int IsOperator(int c);        // '{' '}' '[' ']' '='
int IsNumeric(int c);         // digit, '+', '-', '.'

// the trace of assignments goes to standard output; 0 silences it (benchmarks)
void SetTokenTrace(int on);
int GetTokenTrace(void);
// printf to standard output while the trace is on
void TokTrace(const char* format, ...);

#endif
