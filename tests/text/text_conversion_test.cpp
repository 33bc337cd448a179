#include "text/text_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/charset_detection.h"

namespace vantaro {
namespace {

using namespace std::literals;

struct CodePageSample {
  int codePage;
  const char* bytes;
  const char16_t* text;
};

class LegacyCodePage : public ::testing::TestWithParam<CodePageSample> {};

TEST_P(LegacyCodePage, DecodesAndEncodesTheSameBytes) {
  const CodePageSample& sample = GetParam();
  const std::u16string text = BytesToWide(sample.bytes, sample.codePage);
  EXPECT_EQ(text, sample.text);
  EXPECT_EQ(WideToBytes(text, sample.codePage), sample.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, LegacyCodePage,
    ::testing::Values(CodePageSample{936, "", u""}, CodePageSample{kUtf8CodePage, "", u""},
                      CodePageSample{kUtf8CodePage, "a\xc3\xa9\xe5\xae\x9a\xf0\x9f\x98\x80",
                                     u"a\u00e9\u5b9a\U0001F600"},                // every plane
                      CodePageSample{936, "\xba\xda\xc6\xe5", u"\u9ed1\u68cb"},  // GB2312
                      // Four-byte GB18030 characters among two-byte ones.
                      CodePageSample{936, "\xba\xda\x81\x30\x81\x30\xba\xda\x90\x30\x81\x30",
                                     u"\u9ed1\u0080\u9ed1\U00010000"},
                      CodePageSample{950, "\xb6\xc2\xb4\xd1", u"\u9ed1\u68cb"},  // Big5
                      CodePageSample{932, "\x8d\x95\x90\xce", u"\u9ed2\u77f3"},  // Shift_JIS
                      CodePageSample{949, "\xc8\xe6\xb5\xb9", u"\ud751\ub3cc"},  // EUC-KR
                      CodePageSample{1251, "\xc8\xe3\xf0\xe0", u"\u0418\u0433\u0440\u0430"},
                      CodePageSample{1252, "caf\xe9", u"caf\u00e9"},
                      CodePageSample{950, "\xa5\x5c", u"\u529f"}));  // trail byte is '\'

// Double-byte text is decoded by lookup until a character the table lacks,
// then by the converter: both must read every pair of bytes alike.
TEST(TextConversion, EveryDoubleBytePairDecodesAsTheConverterReadsIt) {
  for (const int codePage : {932, 936, 949, 950}) {
    const std::string refused = "\xff";
    ASSERT_TRUE(IsByteEscape(BytesToWide(refused, codePage).at(0))) << codePage;
    int differing = 0;
    for (int lead = 0x80; lead <= 0xff; ++lead) {
      for (int trail = 0; trail <= 0xff; ++trail) {
        const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
        const std::u16string looked = BytesToWide(pair, codePage);
        const std::u16string converted = BytesToWide(refused + pair, codePage).substr(1);
        differing += looked != converted;
      }
    }
    EXPECT_EQ(differing, 0) << codePage;
  }
}

TEST(TextConversion, UndecodableBytesSurviveARoundTrip) {
  const std::string damaged = "ok \xff\xfe end \xe5\xae";  // not UTF-8, truncated at the end
  const std::u16string text = BytesToWide(damaged, kUtf8CodePage);
  EXPECT_EQ(text.substr(0, 3), u"ok ");
  EXPECT_TRUE(IsByteEscape(text[3]));
  EXPECT_EQ(WideToBytes(text, kUtf8CodePage), damaged);
  EXPECT_EQ(ToDisplayUtf8(text), "ok \xef\xbf\xbd\xef\xbf\xbd end \xef\xbf\xbd\xef\xbf\xbd");

  const std::string badGbk = "\xba\xda\xff";
  EXPECT_EQ(WideToBytes(BytesToWide(badGbk, 936), 936), badGbk);
}

// A2 E8 is U+327E in KS X 1001:2002 but not in CP949, whose converter reads
// both bytes before it refuses them.
TEST(TextConversion, BytesCp949LacksSurviveWhereverTheyStand) {
  const struct {
    std::string bytes;
    std::u16string text;
  } cases[] = {{"\xa2\xe8", u"\xdca2\xdce8"},
               {"\xb0\xa1\xa2\xe8z", u"\uac00\xdca2\xdce8z"},
               {"\xa2\xe8\xa2\xe8\xb0\xa1", u"\xdca2\xdce8\xdca2\xdce8\uac00"},
               {"\xa2\xe8\xa2", u"\xdca2\xdce8\xdca2"}};
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(BytesToWide(bytes, 949), text);
    EXPECT_EQ(WideToBytes(text, 949), bytes);
  }
}

TEST(TextConversion, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(WideToBytes(u"a\u9ed1b", 1252), "a?b");
  EXPECT_EQ(WideToBytes(u"\U0001F600", 949), "?");
}

TEST(TextConversion, CodePagesWithoutConverterKeepBytes) {
  const std::string bytes = "abc\x81\xfe";
  EXPECT_EQ(WideToBytes(BytesToWide(bytes, 720), 720), bytes);
}

TEST(TextConversion, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8("plain ascii text that is long enough for words"));
  EXPECT_TRUE(IsValidUtf8("\xe9\xbb\x91"));
  EXPECT_FALSE(IsValidUtf8("\xe9\xbb"));          // truncated
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));      // encoded surrogate
  EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));  // beyond U+10FFFF
}

// UTF-8 is widened many bytes at a time: a character beyond ASCII, or a byte
// that is not UTF-8, reads the same at every place in a run of ASCII, and
// so does a sequence cut short by the end of the text.
TEST(TextConversion, Utf8DecodesAlikeWhereverACharacterStandsInARun) {
  const std::vector<std::pair<std::string, std::u16string>> characters = {
      {"\xc3\xa9", u"\u00e9"},
      {"\xe5\xae\x9a", u"\u5b9a"},
      {"\xf0\x9f\x98\x80", u"\U0001F600"},
  };
  for (size_t before = 0; before <= 40; ++before) {
    for (size_t after : {0, 1, 15, 16, 17}) {
      const std::string left(before, 'a'), right(after, 'z');
      const std::u16string wideLeft(before, u'a'), wideRight(after, u'z');
      for (const auto& [bytes, wide] : characters) {
        SCOPED_TRACE(testing::Message() << before << " before, " << after << " after");
        EXPECT_EQ(BytesToWide(left + bytes + right, kUtf8CodePage), wideLeft + wide + wideRight);
        const std::string cut = left + bytes.substr(0, bytes.size() - 1);
        EXPECT_EQ(WideToBytes(BytesToWide(cut, kUtf8CodePage), kUtf8CodePage), cut);
        EXPECT_EQ(BytesToWide(cut, kUtf8CodePage).substr(0, before), wideLeft);
      }
      const std::string stray = left + "\xff" + right;
      EXPECT_EQ(WideToBytes(BytesToWide(stray, kUtf8CodePage), kUtf8CodePage), stray);
      EXPECT_EQ(BytesToWide(stray, kUtf8CodePage).size(), before + 1 + after);
    }
  }
}

// UTF-16 file bytes of the text, little- or big-endian, with or without the mark.
std::string Utf16Bytes(std::u16string_view text, bool bigEndian, bool mark) {
  std::string bytes;
  for (char16_t c : std::u16string(mark ? u"\uFEFF" : u"") + std::u16string(text)) {
    const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

struct Utf16File {
  std::string_view name;
  std::string bytes;
  std::optional<std::string> utf8;
};

void PrintTo(const Utf16File& c, std::ostream* out) {
  *out << c.name;
}

class Utf16FileTest : public ::testing::TestWithParam<Utf16File> {};

TEST_P(Utf16FileTest, IsRecognisedByItsZeroBytesOrItsMark) {
  EXPECT_EQ(Utf16FileToUtf8(GetParam().bytes), GetParam().utf8);
}

constexpr char16_t kRecord[] = u"(;CA[UTF-16]C[\u56F4\u68CB];B[pd])";
const std::string kRecordUtf8 = "(;CA[UTF-16]C[\xE5\x9B\xB4\xE6\xA3\x8B];B[pd])";

// A root comment of 700 CJK characters leaves few zero bytes in the first kilobyte.
std::u16string LongCjkComment() {
  return u"(;CA[UTF-16]C[" + std::u16string(700, u'\u68CB') + u"];B[pd])";
}

INSTANTIATE_TEST_SUITE_P(
    TextConversion, Utf16FileTest,
    ::testing::Values(
        Utf16File{"little-endian with mark", Utf16Bytes(kRecord, false, true), kRecordUtf8},
        Utf16File{"big-endian with mark", Utf16Bytes(kRecord, true, true), kRecordUtf8},
        Utf16File{"little-endian without mark", Utf16Bytes(kRecord, false, false), kRecordUtf8},
        Utf16File{"big-endian without mark", Utf16Bytes(kRecord, true, false), kRecordUtf8},
        Utf16File{"without mark behind a long CJK comment",
                  Utf16Bytes(LongCjkComment(), false, false), ToDisplayUtf8(LongCjkComment())},
        Utf16File{"UTF-8", kRecordUtf8, std::nullopt},
        Utf16File{"GB2312", WideToBytes(kRecord, 936), std::nullopt},
        Utf16File{"8-bit text padded with zero bytes", "(;B[aa])" + std::string(64, '\0'),
                  std::nullopt},
        Utf16File{"8-bit records, one with UTF-16 bytes in a value",
                  std::string("(;CA[UTF-16LE]C[h\0a\0l\0l\0o\0])\r\n"sv) +
                      "(;CA[ISO-8859-15]C[hall\xF6, this one is Latin-9 text])",
                  std::nullopt}));

TEST(CharsetDetection, LegacyTextIsRecognised) {
  // A Chinese sentence in GB2312 (GB18030 to the detector, 936 to us).
  const std::string gb = WideToBytes(
      u"\u9ed1\u68cb\u5148\u884c\uff0c\u767d\u68cb\u5728\u53f3\u4e0a\u89d2\u5e94"
      u"\u5bf9\uff0c\u8fd9\u662f\u4e00\u76d8\u5f88\u7cbe\u5f69\u7684\u68cb\u3002"
      u"\u4e2d\u76d8\u6218\u6597\u975e\u5e38\u6fc0\u70c8\u3002",
      936);
  EXPECT_EQ(DetectCodePage("(;C[" + gb + "])", 1252), 936);
}

// The detectors are kept from one text to the next (a folder listing judges
// thousands): each text must still be judged on its own, whatever came before.
TEST(CharsetDetection, EachTextIsJudgedOnItsOwnInAnyOrder) {
  const std::u16string russian =
      u"\u0427\u0451\u0440\u043d\u044b\u0435 \u0438\u0433\u0440\u0430\u044e\u0442 "
      u"\u0441\u0438\u043b\u044c\u043d\u043e, \u0431\u0435\u043b\u044b\u0435 "
      u"\u043e\u0442\u0432\u0435\u0447\u0430\u044e\u0442 \u0432 \u0443\u0433\u043b\u0443. "
      u"\u042d\u0442\u043e \u0445\u043e\u0440\u043e\u0448\u0438\u0439 \u0445\u043e\u0434 "
      u"\u0438 \u043e\u0447\u0435\u043d\u044c \u0438\u043d\u0442\u0435\u0440\u0435\u0441"
      u"\u043d\u0430\u044f \u043f\u0430\u0440\u0442\u0438\u044f.";
  const std::u16string chinese =
      u"\u9ed1\u68cb\u5148\u884c\uff0c\u767d\u68cb\u5728\u53f3\u4e0a\u89d2\u5e94"
      u"\u5bf9\uff0c\u8fd9\u662f\u4e00\u76d8\u5f88\u7cbe\u5f69\u7684\u68cb\u3002";
  const std::u16string japanese =
      u"\u9ed2\u304c\u53f3\u4e0a\u306e\u96c5\u306b\u6253\u3061\u3001\u767d\u306f"
      u"\u5de6\u4e0b\u3067\u5fdc\u3058\u307e\u3057\u305f\u3002\u3068\u3066\u3082"
      u"\u826f\u3044\u624b\u3067\u3059\u3002";
  const std::u16string korean =
      u"\ud751\uc774 \uc6b0\uc0c1\uadc0\uc5d0 \ub450\uace0 \ubc31\uc740 "
      u"\uc88c\ud558\uadc0\uc5d0\uc11c \uc751\uc218\ud588\ub2e4. \uc88b\uc740 "
      u"\uc218\uc774\ub2e4.";
  const std::vector<std::pair<std::u16string, int>> texts = {
      {russian, 1251}, {russian, 20866}, {chinese, 936}, {japanese, 932}, {korean, 949}};
  std::vector<int> inOrder;
  for (const auto& [text, codePage] : texts) {
    inOrder.push_back(DetectCodePage("(;C[" + WideToBytes(text, codePage) + "])", 1252));
  }
  for (int round = 0; round < 2; ++round) {
    for (size_t k = 0; k < texts.size(); ++k) {
      const size_t i = round == 0 ? texts.size() - 1 - k : k;
      const auto& [text, codePage] = texts[i];
      EXPECT_EQ(DetectCodePage("(;C[" + WideToBytes(text, codePage) + "])", 1252), codePage)
          << "text " << i << " in round " << round;
    }
  }
  for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(inOrder[i], texts[i].second) << "text " << i;
}

}  // namespace
}  // namespace vantaro
