// tokenizer.h: the one tokenizer the program's small text formats share.
//
// Settings values, window placements, dictionary lines, markup and score
// records are all split with Token. Its state is module-wide: a caller that
// tokenizes inside another tokenizing loop saves the state first and restores
// it afterwards.
#pragma once

#include "base/vstring.h"

namespace cbst {

inline constexpr int kTokenBufferCount = 6;
inline constexpr int kTokenStackDepth = 30;

// A non-null `text` starts a new scan of it; a null one goes on with the
// current scan. Returns the next token, or null at the end of the text; two
// adjacent delimiters give an empty token. `start` gets the token's offset in
// the text and `delimiter` the character that ended it (0 at the end); either
// may be null. The result lives in one of six buffers used in turn, so the
// six newest tokens stay valid together. The scanned text must outlive the
// scan.
const char* Token(int* start, char* delimiter, const char* delimiters, const char* text);
// The same, writing the token into `token`; false at the end of the text.
bool Token(VString& token, int* start, char* delimiter, const char* delimiters, const char* text);

// Saves the scan state and returns a handle for TokenRestore, or -1 (after
// reporting "Token Stack Ovflw") when 30 states are saved already.
int TokenSave();
// Restores the newest saved state. A handle that is not the newest reports
// "Token Unbalanced" and pops all the same; -1 pops without that check.
void TokenRestore(int handle);

}  // namespace cbst
