#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the bytes of a record (in a Windows code page, named by
// its number) and the wide (UTF-16) text the program holds in memory.
//
// Decoding never fails and never drops text: a byte that does not decode in
// the code page becomes the escape unit U+DC00 + byte (a lone low surrogate,
// shown as a replacement character), and encoding turns such a unit back into
// the same byte. So reading and writing in the same code page gives back the
// original bytes even for damaged text.
namespace vantaro {

constexpr int kUtf8CodePage = 65001;

std::u16string BytesToWide(std::string_view bytes, int codePage);
void AppendBytesAsWide(std::string_view bytes, int codePage, std::u16string& out);

// A character the code page cannot represent is written as '?'; Append...
// then returns false.
std::string WideToBytes(std::u16string_view text, int codePage);
bool AppendWideAsBytes(std::u16string_view text, int codePage, std::string& out);
// Whether every character of text can be written in the code page (byte
// escapes always can: they are written back as the bytes they stand for).
bool CanEncode(std::u16string_view text, int codePage);

// Valid UTF-8 for display and for output meant to be read: byte escapes and
// unpaired surrogates become U+FFFD.
std::string ToDisplayUtf8(std::u16string_view text);
inline std::u16string FromUtf8(std::string_view text) {
  return BytesToWide(text, kUtf8CodePage);
}

bool IsValidUtf8(std::string_view bytes);

// How far a file's text runs before its first 0 byte (all of it when there
// is none), and whether that much is valid UTF-8: what a reader must know
// before it starts, found in one pass.
struct TextExtent {
  std::size_t length = 0;
  bool validUtf8 = true;
};
TextExtent MeasureText(std::string_view bytes);
// UTF-8 with a few damaged sequences, such as names cut off in the middle of
// a character: at least two characters beyond ASCII and at most one stray
// byte for every two of them. Text in a legacy code page forms valid
// sequences only by chance, far fewer than its stray bytes.
bool IsMostlyUtf8(std::string_view bytes);

// When the bytes are UTF-16 text (a byte order mark, or the zero bytes of
// ASCII text in either byte order), the same text as UTF-8 without the mark.
std::optional<std::string> Utf16FileToUtf8(std::string_view bytes);
bool IsByteEscape(char16_t unit);

// Whether text in the code page is ASCII wherever a byte is below 0x80, so
// that ASCII-only values need no converter.
bool IsAsciiCompatible(int codePage);

// The code page of the user's locale: 65001 on a UTF-8 locale, and also when
// the locale is plain ASCII ("C"), where UTF-8 is what files on this platform use.
int SystemAnsiCodePage();

}  // namespace vantaro
