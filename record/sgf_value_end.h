#pragma once

#include <string_view>

namespace vantaro {

// Whether rest, the bytes after a ']', begin the way SGF goes on after a
// closed value: after optional white space, the end of the input; ')'
// followed by white space and '(', ')' or the end; '(' followed by ';' or
// '('; ';' followed by an identifier with its '[', by '(', ')', ';' or the
// end; '[' when valueList (the property takes several values, as LB does);
// or an identifier (letters and digits, not all lower case) right before '['.
//
// In a double-byte code page a ']' that follows a lead byte is either that
// character's second byte or the end of the value: writers that escape every
// ']' byte (as ours does) write such a character as lead '\' ']', writers
// that leave trail bytes alone write lead ']' for it and lead '\' ']' for a
// character ending in '\' that closes its value. Only what follows tells
// them apart. Text after a character of a name or a comment (words, spaces,
// "(note)", a ')' of its own) practically never looks like the above, while
// what a writer puts after a value always does.
bool StructureFollows(std::string_view rest, bool valueList);

}  // namespace vantaro
