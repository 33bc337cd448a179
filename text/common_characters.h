#pragma once

// The characters that text in each East Asian language is mostly made of,
// as UTF-8, generated from the Unihan database by
// dev/generate_common_characters. The charset plausibility check rewards a
// decoding that produces them.
namespace vantaro {

// Chinese in three tiers: the 500 most frequent characters and the common
// surnames; the next 500; the rest of the characters in common use.
extern const char* const kChineseSimplifiedMostCommon;
extern const char* const kChineseSimplifiedVeryCommon;
extern const char* const kChineseSimplifiedCommon;
// The same tiers in traditional characters.
extern const char* const kChineseTraditionalMostCommon;
extern const char* const kChineseTraditionalVeryCommon;
extern const char* const kChineseTraditionalCommon;
// The kanji for common use and for personal names.
extern const char* const kCommonJapaneseKanji;
// The hangul syllables that read the hanja taught in Korean schools.
extern const char* const kCommonKoreanHangul;
// The hanja taught in Korean schools.
extern const char* const kCommonKoreanHanja;

}  // namespace vantaro
