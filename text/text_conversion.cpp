#include "text/text_conversion.h"

#include <errno.h>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>

#include "text/code_page_table.h"
#include "text/double_byte.h"
#include "text/double_byte_table.h"

namespace vantaro {
namespace {

static_assert(std::endian::native == std::endian::little, "UTF-16LE is the host order");

// glibc converts every charset through UCS-4, the form of its wchar_t, so
// decoding to that form takes one conversion step where UTF-16 takes two.
static_assert(sizeof(wchar_t) == sizeof(char32_t), "glibc's wchar_t is UCS-4");
constexpr char kUcs4[] = "WCHAR_T";

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kEscapeBase = 0xDC00;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// 65001 has its own code; the others are named by the code page table.
const char* IconvName(int codePage) {
  const Charset* row = CharsetCodePageMap::Instance().FindCodePage(codePage);
  if (row == nullptr || row->iconvName.empty() || codePage == kUtf8CodePage) return nullptr;
  return row->iconvName.c_str();
}

// iconv descriptors are costly to open, so each direction is opened once per
// code page and reused; a descriptor is reset before every conversion. The
// same goes for the lookup tables of the double-byte code pages.
class ConverterCache {
 public:
  ~ConverterCache() {
    for (auto& [key, cd] : converters_) {
      if (cd != kNone) iconv_close(cd);
    }
  }
  iconv_t Get(int codePage, bool toWide) {
    return Open(codePage, toWide ? Use::ToWide : Use::FromWide, IconvName(codePage));
  }
  // An encoder that refuses what the code page's own definition lacks: 936
  // is decoded and encoded as GB18030, which holds every character, while
  // a record labelled GB2312 or GBK can only hold GBK's.
  iconv_t GetStrict(int codePage) {
    return Open(codePage, Use::Strict, codePage == 936 ? "GBK" : IconvName(codePage));
  }
  // Null for code pages that are not double-byte.
  const DoubleByteTable* Table(int codePage) {
    auto found = tables_.find(codePage);
    if (found == tables_.end()) {
      std::unique_ptr<DoubleByteTable> table;
      if (iconv_t cd = Get(codePage, true); cd != kNone && IsDoubleByteCodePage(codePage)) {
        table = std::make_unique<DoubleByteTable>(cd);
      }
      found = tables_.emplace(codePage, std::move(table)).first;
    }
    return found->second.get();
  }
  static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);

 private:
  enum class Use { ToWide, FromWide, Strict };

  iconv_t Open(int codePage, Use use, const char* name) {
    const auto key = std::make_pair(codePage, use);
    auto found = converters_.find(key);
    if (found == converters_.end()) {
      iconv_t cd = kNone;
      if (name != nullptr) {
        cd = use == Use::ToWide ? iconv_open(kUcs4, name) : iconv_open(name, "UTF-16LE");
      }
      found = converters_.emplace(key, cd).first;
    }
    return found->second;
  }

  std::map<std::pair<int, Use>, iconv_t> converters_;
  std::map<int, std::unique_ptr<DoubleByteTable>> tables_;
};

ConverterCache& Converters() {
  thread_local ConverterCache cache;
  return cache;
}

bool AllAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Length of the valid UTF-8 sequence at the start of s, 0 when it is not one.
inline size_t Utf8SequenceLength(const unsigned char* s, size_t available) {
  const unsigned char lead = s[0];
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no encoded surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (available < length) return 0;
  if (s[1] < low || s[1] > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (s[i] < 0x80 || s[i] > 0xBF) return 0;
  }
  return length;
}

constexpr uint64_t kHighBits = 0x8080808080808080ull;
constexpr uint64_t kLowBits = 0x0101010101010101ull;

// The high bit of the first byte (in memory order) that is 0 or beyond
// ASCII is the lowest bit set; bits above it may be set wrongly.
uint64_t ZeroOrNonAsciiBytes(uint64_t word) {
  return ((word - kLowBits) & ~word & kHighBits) | (word & kHighBits);
}

// Number of ASCII bytes at the start of s.
size_t AsciiPrefixLength(const unsigned char* s, size_t n) {
  size_t i = 0;
  while (i + 8 <= n) {
    uint64_t word;
    std::memcpy(&word, s + i, 8);
    if (word & kHighBits) break;
    i += 8;
  }
  while (i < n && s[i] < 0x80) ++i;
  return i;
}

// Sixteen bytes as sixteen UTF-16 units, ASCII or not: in the compiler's own
// vector types, which each target turns into its widest instructions.
void WidenSixteen(const unsigned char* s, char16_t* out) {
  using Bytes = std::uint8_t __attribute__((vector_size(16)));
  using Units = std::uint16_t __attribute__((vector_size(32)));
  Bytes bytes;
  std::memcpy(&bytes, s, sizeof bytes);
  const Units units = __builtin_convertvector(bytes, Units);
  std::memcpy(out, &units, sizeof units);
}

// Writes the units to out, which has room for one per byte (no character
// takes more units than bytes); returns the end of what was written.
char16_t* DecodeUtf8(const unsigned char* s, size_t n, char16_t* out) {
  size_t i = 0;
  while (i < n) {
    // Sixteen bytes are widened before they are looked at: where a character
    // beyond ASCII cuts the run short, the units from it on are written
    // over. Writing ahead stays within the room, one unit per byte left.
    while (i + 16 <= n) {
      uint64_t low, high;
      std::memcpy(&low, s + i, 8);
      std::memcpy(&high, s + i + 8, 8);
      WidenSixteen(s + i, out);
      const uint64_t nonAscii = (low | high) & kHighBits;
      if (nonAscii == 0) {
        i += 16;
        out += 16;
        continue;
      }
      const size_t ascii = (low & kHighBits) != 0
                               ? static_cast<size_t>(std::countr_zero(low & kHighBits)) / 8
                               : 8 + static_cast<size_t>(std::countr_zero(high & kHighBits)) / 8;
      i += ascii;
      out += ascii;
      break;
    }
    while (i < n && s[i] < 0x80) *out++ = s[i++];
    if (i == n) break;
    const unsigned char lead = s[i];
    const size_t length = Utf8SequenceLength(s + i, n - i);
    if (length == 0) {
      *out++ = static_cast<char16_t>(kEscapeBase + lead);
      ++i;
      continue;
    }
    char32_t cp = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(cp);
    }
    i += length;
  }
  return out;
}

void AppendUtf8AsWide(std::string_view bytes, std::u16string& out) {
  const size_t start = out.size();
  out.resize(start + bytes.size());
  char16_t* const begin = out.data() + start;
  const char16_t* const end =
      DecodeUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), begin);
  out.resize(start + static_cast<size_t>(end - begin));
}

void AppendCodePoint(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Walks UTF-16 text; escapes go to onEscape, everything else is appended as UTF-8.
template <typename OnEscape>
void AppendAsUtf8(std::u16string_view text, std::string& out, OnEscape onEscape) {
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    size_t ascii = i;
    while (ascii < n && text[ascii] < 0x80) ++ascii;
    if (ascii > i) {
      out.append(text.begin() + static_cast<std::ptrdiff_t>(i),
                 text.begin() + static_cast<std::ptrdiff_t>(ascii));
      i = ascii;
      if (i == n) break;
    }
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
      AppendCodePoint(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00), out);
      ++i;
    } else if (IsByteEscape(unit)) {
      onEscape(unit, out);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendCodePoint(kReplacement, out);
    } else {
      AppendCodePoint(unit, out);
    }
    ++i;
  }
}

void AppendEscapedBytes(const char* bytes, size_t count, std::u16string& out) {
  for (size_t i = 0; i < count; ++i) {
    out.push_back(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i])));
  }
}

// glibc's CP949 converter refuses A2 E8 (U+327E, which KS X 1001 gained after
// CP949 was fixed) only after consuming it, so its error points past the
// character. Returns how many of the bytes a failed call consumed are that
// character.
size_t RefusedAfterConsuming(int codePage, std::string_view consumed) {
  return codePage == 949 && consumed.ends_with("\xA2\xE8") ? 2 : 0;
}

void AppendUcs4(const char32_t* begin, const char32_t* end, std::u16string& out) {
  for (const char32_t* p = begin; p < end; ++p) {
    if (*p < 0x10000) {
      out.push_back(static_cast<char16_t>(*p));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((*p - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((*p - 0x10000) & 0x3FF)));
    }
  }
}

// cd decodes the code page to UCS-4.
void AppendWithIconv(iconv_t cd, int codePage, std::string_view bytes, std::u16string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char32_t buffer[256];
  const auto drain = [&](const char* outPtr) {
    AppendUcs4(buffer, reinterpret_cast<const char32_t*>(outPtr), out);
  };
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(buffer);
    size_t outLeft = sizeof buffer;
    const char* const from = in;
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    drain(outPtr);
    if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ or EINVAL: keep the offending bytes and carry on after them.
    const size_t consumed =
        RefusedAfterConsuming(codePage, std::string_view(from, static_cast<size_t>(in - from)));
    if (consumed > 0) {
      AppendEscapedBytes(in - consumed, consumed, out);
      continue;
    }
    AppendEscapedBytes(in, 1, out);
    ++in;
    --inLeft;
  }
  char* outPtr = reinterpret_cast<char*>(buffer);
  size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  drain(outPtr);
}

// False when a character had to be replaced.
bool AppendWideRunWithIconv(iconv_t cd, std::u16string_view run, std::string& out) {
  bool whole = true;
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(run.data()));
  size_t inLeft = run.size() * sizeof(char16_t);
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(buffer, sizeof buffer - outLeft);
    if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
    // Not representable (or an unpaired surrogate): a question mark stands for it.
    const char16_t unit = *reinterpret_cast<const char16_t*>(in);
    size_t skip = sizeof(char16_t);
    if (IsHighSurrogate(unit) && inLeft >= 2 * sizeof(char16_t) &&
        IsLowSurrogate(*reinterpret_cast<const char16_t*>(in + 2))) {
      skip *= 2;
    }
    out.push_back('?');
    whole = false;
    in += skip;
    inLeft -= skip;
  }
  return whole;
}

void FlushShiftState(iconv_t cd, std::string& out) {
  char buffer[64];
  char* outPtr = buffer;
  size_t outLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
  out.append(buffer, sizeof buffer - outLeft);
}

bool AppendWithIconv(iconv_t cd, std::u16string_view text, std::string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  bool whole = true;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const bool escape =
        i < text.size() && IsByteEscape(text[i]) && !(i > 0 && IsHighSurrogate(text[i - 1]));
    if (i < text.size() && !escape) continue;
    whole = AppendWideRunWithIconv(cd, text.substr(start, i - start), out) && whole;
    FlushShiftState(cd, out);
    if (escape) out.push_back(static_cast<char>(text[i] & 0xFF));
    start = i + 1;
  }
  return whole;
}

}  // namespace

bool IsByteEscape(char16_t unit) {
  return unit >= kEscapeBase && unit <= kEscapeBase + 0xFF;
}

bool IsAsciiCompatible(int codePage) {
  // ISO-2022-JP and HZ switch scripts with ASCII escape sequences.
  return codePage != 50220 && codePage != 52936;
}

bool IsValidUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    i += AsciiPrefixLength(s + i, n - i);
    if (i >= n) break;
    const size_t length = Utf8SequenceLength(s + i, n - i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

TextExtent MeasureText(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    for (uint64_t word; i + 8 <= n; i += 8) {
      std::memcpy(&word, s + i, 8);
      if (const uint64_t found = ZeroOrNonAsciiBytes(word); found != 0) {
        i += static_cast<size_t>(std::countr_zero(found)) / 8;
        break;
      }
    }
    if (i == n) break;
    if (s[i] == 0) return {i, true};
    if (s[i] < 0x80) {
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceLength(s + i, n - i);
    if (length == 0) {
      // Decided: what is left to find is the end.
      const void* zero = std::memchr(s + i, 0, n - i);
      return {
          zero != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - s) : n,
          false};
    }
    i += length;
  }
  return {n, true};
}

bool IsMostlyUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t valid = 0, invalid = 0;
  size_t i = 0;
  while (i < n) {
    i += AsciiPrefixLength(s + i, n - i);
    if (i >= n) break;
    const size_t length = Utf8SequenceLength(s + i, n - i);
    if (length == 0) {
      ++invalid;
      ++i;
    } else {
      ++valid;
      i += length;
    }
  }
  return valid >= 2 && invalid * 2 <= valid;
}

std::optional<std::string> Utf16FileToUtf8(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  bool bigEndian;
  size_t start = 0;
  if (byte(0) == 0xFF && byte(1) == 0xFE) {
    bigEndian = false;
    start = 2;
  } else if (byte(0) == 0xFE && byte(1) == 0xFF) {
    bigEndian = true;
    start = 2;
  } else {
    // Without a mark: record syntax is ASCII, so one byte of many pairs is
    // zero, always on the same side, and text in any 8-bit encoding has none.
    // A comment in a CJK script may fill most of the window, so a record whose
    // opening parenthesis is itself a UTF-16 character needs no more.
    size_t zeroHigh = 0, zeroLow = 0;
    const size_t pairs = std::min<size_t>(bytes.size() / 2, 512);
    for (size_t i = 0; i < pairs; ++i) {
      zeroHigh += byte(2 * i) == 0;
      zeroLow += byte(2 * i + 1) == 0;
    }
    const size_t open = bytes.substr(0, 2 * pairs).find('(');
    const bool opensBig = open != std::string_view::npos && open % 2 == 1 && byte(open - 1) == 0;
    const bool opensLittle = open != std::string_view::npos && open % 2 == 0 && byte(open + 1) == 0;
    if ((zeroHigh * 4 >= pairs || opensBig) && zeroLow * 64 < pairs) {
      bigEndian = true;
    } else if ((zeroLow * 4 >= pairs || opensLittle) && zeroHigh * 64 < pairs) {
      bigEndian = false;
    } else {
      return std::nullopt;
    }
  }
  std::u16string text;
  text.reserve((bytes.size() - start) / 2);
  for (size_t i = start; i + 1 < bytes.size(); i += 2) {
    text.push_back(
        static_cast<char16_t>(bigEndian ? byte(i) << 8 | byte(i + 1) : byte(i + 1) << 8 | byte(i)));
  }
  std::string utf8;
  AppendAsUtf8(text, utf8, [](char16_t, std::string& o) { AppendCodePoint(kReplacement, o); });
  return utf8;
}

void AppendBytesAsWide(std::string_view bytes, int codePage, std::u16string& out) {
  if (codePage == kUtf8CodePage) {
    AppendUtf8AsWide(bytes, out);
  } else if (IsAsciiCompatible(codePage) && AllAscii(bytes)) {
    out.append(bytes.begin(), bytes.end());
  } else if (iconv_t cd = Converters().Get(codePage, true); cd != ConverterCache::kNone) {
    // The converter takes over where the table stops, at a character
    // boundary; the converters that have tables keep no state across it.
    size_t decoded = 0;
    if (const DoubleByteTable* table = Converters().Table(codePage)) {
      decoded = table->AppendDecodedPrefix(bytes, out);
    }
    if (decoded < bytes.size()) AppendWithIconv(cd, codePage, bytes.substr(decoded), out);
  } else {
    for (char c : bytes) {
      const auto byte = static_cast<unsigned char>(c);
      out.push_back(byte < 0x80 ? byte : static_cast<char16_t>(kEscapeBase + byte));
    }
  }
}

std::u16string BytesToWide(std::string_view bytes, int codePage) {
  std::u16string result;
  result.reserve(bytes.size());
  AppendBytesAsWide(bytes, codePage, result);
  return result;
}

bool AppendWideAsBytes(std::u16string_view text, int codePage, std::string& out) {
  const auto rawByte = [](char16_t unit, std::string& o) { o.push_back(static_cast<char>(unit)); };
  if (codePage == kUtf8CodePage) {
    AppendAsUtf8(text, out, rawByte);
    return true;
  }
  bool ascii = true;
  for (char16_t unit : text) ascii = ascii && unit < 0x80;
  if (ascii && IsAsciiCompatible(codePage)) {
    out.append(text.begin(), text.end());
    return true;
  }
  if (iconv_t cd = Converters().Get(codePage, false); cd != ConverterCache::kNone) {
    return AppendWithIconv(cd, text, out);
  }
  bool whole = true;
  for (char16_t unit : text) {
    if (unit < 0x80 || IsByteEscape(unit)) {
      out.push_back(static_cast<char>(unit));
    } else {
      out.push_back('?');
      whole = false;
    }
  }
  return whole;
}

bool CanEncode(std::u16string_view text, int codePage) {
  if (codePage == kUtf8CodePage) return true;
  thread_local std::string scratch;
  scratch.clear();
  if (iconv_t cd = Converters().GetStrict(codePage); cd != ConverterCache::kNone) {
    return AppendWithIconv(cd, text, scratch);
  }
  return AppendWideAsBytes(text, codePage, scratch);
}

std::string WideToBytes(std::u16string_view text, int codePage) {
  std::string result;
  result.reserve(text.size());
  AppendWideAsBytes(text, codePage, result);
  return result;
}

std::string ToDisplayUtf8(std::u16string_view text) {
  std::string result;
  result.reserve(text.size());
  AppendAsUtf8(text, result, [](char16_t, std::string& o) { AppendCodePoint(kReplacement, o); });
  return result;
}

int SystemAnsiCodePage() {
  static const int codePage = [] {
    locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return kUtf8CodePage;
    const std::string codeset = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    const int found = CharsetCodePageMap::Instance().CodePageOf(codeset);
    if (found == 0 || codeset == "ANSI_X3.4-1968") return kUtf8CodePage;
    return found;
  }();
  return codePage;
}

}  // namespace vantaro
