#include "text/charset_plausibility.h"

#include <unicode/uchar.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "text/code_page_table.h"
#include "text/common_characters.h"
#include "text/text_conversion.h"

namespace vantaro {
namespace {

using CharacterSet = std::bitset<0x10000>;

// Syllables of everyday Korean beyond the readings of hanja: endings,
// particles and the native words of comments and names.
constexpr char kNativeKoreanHangul[] =
    "가각간갈감갑값강같개거건걸검것게겠겨격견결경계고곡곤골곳공과관괜교구국군굴권귀규그극근글"
    "금급기긴길김까깨께꼬꽃꾸끝끼나낙난날남납낮내냐냥너넌널넘네녀년녕노녹논놀놓누눈느는늘니닌"
    "님다닥단달담답당대댁더덕던데도독돈돌동되된될됩두둑둘뒤드득든들듯등디따딱때떠떤또뛰뜻라락"
    "란람랑래러럼렇레려력련렬령로록론료루류률르른를름리린림립마막만많말망매머먹먼멀메며면명모"
    "목몰몸못무문물뭐미민밀바박반받발밤방배백버번벌범법변별병보복본볼봉부북분불붙비빈빛빠사산"
    "살삼상새색생서석선설섬성세셨소속손송수숙순술쉬스슬습승시식신실심십싸써쓰씨아악안않알암앞"
    "애야약양어억언얼엄업없었에엔여역연열염영예오온올완왕왜외요용우운울움웃원월위유육윤은을음"
    "응의이익인일임입있자작잔잘잠장재저적전절점정제져조족존종좋주죽준줄중즉지직진질집짓짜쪽차"
    "착찬참창찾채책처천철첫청체초총최추축출충취치친칠침카커코크큰키타태터토통투트특파판팔편평"
    "포표풀품프피필하학한할함합항해했행향허현형호혹화확환활황회효후훈휘흐흑희히힘";

// Word scripts whose letters stand among ASCII letters: an accented letter
// is usually alone in a word, so long runs of them are not such text.
bool IsLatinFamily(int familyCodePage) {
  return familyCodePage == 1250 || familyCodePage == 1252 || familyCodePage == 1254 ||
         familyCodePage == 1257 || familyCodePage == 1258;
}

// The characters of a double-byte code page's standard set: every pair of
// bytes in its main area, decoded. Extension areas (GBK, UHC, vendor and
// user-defined rows) are left out, because real text seldom uses them and
// text in another code page often lands there.
CharacterSet StandardSet(int codePage) {
  struct Area {
    int leadFirst, leadLast, trailFirst, trailLast;
  };
  std::vector<Area> areas;
  switch (codePage) {
    case 932:  // JIS X 0208
      areas = {{0x81, 0x84, 0x40, 0xFC}, {0x88, 0x9F, 0x40, 0xFC}, {0xE0, 0xEA, 0x40, 0xFC}};
      break;
    case 936:  // GB2312
      areas = {{0xA1, 0xF7, 0xA1, 0xFE}};
      break;
    case 950:  // Big5 without its user-defined rows
      areas = {{0xA1, 0xF9, 0x40, 0x7E}, {0xA1, 0xF9, 0xA1, 0xFE}};
      break;
    default:  // KS X 1001, EUC-JP
      areas = {{0xA1, 0xFE, 0xA1, 0xFE}};
      break;
  }
  std::string pairs;
  for (const Area& area : areas) {
    for (int lead = area.leadFirst; lead <= area.leadLast; ++lead) {
      for (int trail = area.trailFirst; trail <= area.trailLast; ++trail) {
        // The line break lets the decoder find its step again after a gap.
        pairs += {static_cast<char>(lead), static_cast<char>(trail), '\n'};
      }
    }
  }
  CharacterSet set;
  for (char16_t unit : BytesToWide(pairs, codePage)) {
    if (unit >= 0x80 && !IsByteEscape(unit)) set.set(unit);
  }
  return set;
}

// What each character is worth in text of one East Asian language.
using CharacterPoints = std::array<std::int8_t, 0x10000>;

enum class Script { SimplifiedChinese, TraditionalChinese, Japanese, Korean };

void AddListed(std::u16string_view listed, std::int8_t worth, CharacterPoints& points) {
  for (char16_t unit : listed) points[unit] = worth;
}

// Anything outside the standard set costs 2 points, an ordinary character of
// it 1 (misread text is made of those), punctuation nothing; the common
// characters of the language score.
std::unique_ptr<CharacterPoints> MakePoints(Script script, int codePage) {
  auto points = std::make_unique<CharacterPoints>();
  points->fill(-2);
  const CharacterSet standard = StandardSet(codePage);
  for (size_t unit = 0x80; unit < standard.size(); ++unit) {
    if (!standard[unit]) continue;
    const bool punctuation =
        (unit >= 0x3000 && unit <= 0x303F) || (unit >= 0xFF01 && unit <= 0xFF5E);
    (*points)[unit] = punctuation ? 0 : -1;
  }
  for (char16_t unit = 0xFF61; unit <= 0xFF9F; ++unit) (*points)[unit] = -1;
  switch (script) {
    case Script::SimplifiedChinese:
      AddListed(FromUtf8(kChineseSimplifiedCommon), 1, *points);
      AddListed(FromUtf8(kChineseSimplifiedVeryCommon), 2, *points);
      AddListed(FromUtf8(kChineseSimplifiedMostCommon), 3, *points);
      break;
    case Script::TraditionalChinese:
      AddListed(FromUtf8(kChineseTraditionalCommon), 1, *points);
      AddListed(FromUtf8(kChineseTraditionalVeryCommon), 2, *points);
      AddListed(FromUtf8(kChineseTraditionalMostCommon), 3, *points);
      break;
    case Script::Japanese:
      AddListed(FromUtf8(kCommonJapaneseKanji), 2, *points);
      for (char16_t unit = 0x3041; unit <= 0x30FE; ++unit) (*points)[unit] = 2;
      break;
    case Script::Korean:
      // Korean is written in hangul, nearly all of it from these few
      // hundred syllables; hanja are ordinary at best.
      AddListed(FromUtf8(kCommonKoreanHanja), 0, *points);
      AddListed(FromUtf8(kCommonKoreanHangul), 3, *points);
      AddListed(FromUtf8(kNativeKoreanHangul), 3, *points);
      break;
  }
  return points;
}

std::optional<Script> ScriptOfFamily(int familyCodePage) {
  switch (familyCodePage) {
    case 932:
      return Script::Japanese;
    case 936:
      return Script::SimplifiedChinese;
    case 949:
      return Script::Korean;
    case 950:
      return Script::TraditionalChinese;
    default:
      return std::nullopt;
  }
}

// The East Asian code pages with an 8-bit converter, all built on first use;
// null for the others.
const CharacterPoints* PointsOf(int codePage) {
  static const auto languages = [] {
    std::map<int, std::unique_ptr<CharacterPoints>> built;
    for (const auto& row : CharsetCodePageMap::Instance().rows()) {
      const auto script = ScriptOfFamily(row->familyCodePage);
      if (script && !row->iconvName.empty() && IsAsciiCompatible(row->codePage)) {
        built.emplace(row->codePage, MakePoints(*script, row->codePage));
      }
    }
    return built;
  }();
  const auto found = languages.find(codePage);
  return found != languages.end() ? found->second.get() : nullptr;
}

constexpr double kUndecodable = -3;

double EastAsianScore(std::u16string_view text, const CharacterPoints& points) {
  double score = 0;
  for (char16_t unit : text) {
    if (unit < 0x80) continue;
    score += IsByteEscape(unit) ? kUndecodable : points[unit];
  }
  return score;
}

double AlphabeticScore(std::u16string_view text, bool latin) {
  double score = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] < 0x80) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && text[end] >= 0x80) ++end;
    const bool longRun = latin && end - i > 2;
    for (; i < end; ++i) {
      const char16_t unit = text[i];
      if (IsByteEscape(unit) || (unit >= 0x80 && unit <= 0x9F)) {
        score += kUndecodable;
      } else if (u_isalpha(unit)) {
        // Letters of other alphabets prove nothing on their own: nearly
        // every byte is one in those code pages, so the detectors decide.
        score += !latin ? 0 : longRun ? -1 : 1;
      } else if (unit != 0xA0) {
        score -= 1;
      }
    }
  }
  return score;
}

}  // namespace

double PlausibilityScore(std::string_view bytes, int codePage) {
  const Charset* row = CharsetCodePageMap::Instance().FindCodePage(codePage);
  const int family = row != nullptr ? row->familyCodePage : codePage;
  const std::u16string text = BytesToWide(bytes, codePage);
  if (const CharacterPoints* points = PointsOf(codePage)) return EastAsianScore(text, *points);
  return AlphabeticScore(text, IsLatinFamily(family));
}

NonAsciiRuns CountNonAsciiRuns(std::string_view bytes) {
  NonAsciiRuns runs;
  for (size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80) ++end;
    runs.bytes += end - i;
    if (end - i <= 2) runs.inShortRuns += end - i;
    i = end;
  }
  return runs;
}

double PlausibilityCeiling(const NonAsciiRuns& runs, int codePage) {
  const Charset* row = CharsetCodePageMap::Instance().FindCodePage(codePage);
  const int family = row != nullptr ? row->familyCodePage : codePage;
  // In an ASCII-compatible code page every character beyond ASCII takes at
  // least one byte beyond ASCII.
  if (PointsOf(codePage) != nullptr) return 3.0 * static_cast<double>(runs.bytes);
  if (!IsLatinFamily(family)) return 0;
  if (!IsAsciiCompatible(codePage)) return std::numeric_limits<double>::infinity();
  // Vietnamese composes a letter and its accent bytes into one character,
  // so its runs of characters are not its runs of bytes.
  if (family == 1258) return static_cast<double>(runs.bytes);
  return static_cast<double>(runs.inShortRuns);
}

}  // namespace vantaro
