#include "text/code_page_table.h"

#include "text/ascii.h"

namespace vantaro {
namespace {

struct CharsetRow {
  const char* description;
  const char* name;
  const char* aliases;
  int codePage;
  int familyCodePage;
  const char* iconvName;
};

// Order matters: a label listed by a later row replaces the same label of an
// earlier one (so "latin1" is 1252, not 28591). The last column names the
// glibc converter; DOS-720 and HZ have none there, so their bytes are kept
// as they are. 936 is read as GB18030, which decodes every GBK text the same
// and also the four-byte sequences that files labelled GB2312 or GBK often
// contain.
constexpr CharsetRow kCharsetRows[] = {
    {"Arabic (ASMO 708)", "ASMO-708", "", 708, 1256, "ISO-8859-6"},
    {"Arabic (DOS)", "DOS-720", "", 720, 1256, ""},
    {"Arabic (ISO)", "iso-8859-6",
     "arabic, csISOLatinArabic, ECMA-114, ISO_8859-6, ISO_8859-6:1987, iso-ir-127", 28596, 1256,
     "ISO-8859-6"},
    {"Arabic (Windows)", "windows-1256", "cp1256", 1256, 1256, "CP1256"},
    {"Baltic (ISO)", "iso-8859-4",
     "csISOLatin4, ISO_8859-4, ISO_8859-4:1988, iso-ir-110, l4, latin4", 28594, 1257, "ISO-8859-4"},
    {"Baltic (Windows)", "windows-1257", "", 1257, 1257, "CP1257"},
    {"Central European (DOS)", "ibm852", "cp852", 852, 1250, "CP852"},
    {"Central European (ISO)", "iso-8859-2",
     "csISOLatin2, iso_8859-2, iso_8859-2:1987, iso8859-2, iso-ir-101, l2, latin2", 28592, 1250,
     "ISO-8859-2"},
    {"Central European (Windows)", "windows-1250", "x-cp1250", 1250, 1250, "CP1250"},
    {"Chinese Simplified (GB2312)", "gb2312",
     "chinese, CN-GB, csGB2312, csGB231280, csISO58GB231280, GB_2312-80, GB231280, GB2312-80, GBK, "
     "iso-ir-58",
     936, 936, "GB18030"},
    {"Chinese Simplified (HZ)", "hz-gb-2312", "", 52936, 936, ""},
    {"Chinese Traditional (Big5)", "big5", "cn-big5, csbig5, x-x-big5", 950, 950, "CP950"},
    {"Cyrillic (DOS)", "cp866", "ibm866", 866, 1251, "CP866"},
    {"Cyrillic (ISO)", "iso-8859-5",
     "csISOLatin5, csISOLatinCyrillic, cyrillic, ISO_8859-5, ISO_8859-5:1988, iso-ir-144, l5",
     28595, 1251, "ISO-8859-5"},
    {"Cyrillic (KOI8-R)", "koi8-r", "csKOI8R, koi, koi8, koi8r", 20866, 1251, "KOI8-R"},
    {"Cyrillic (KOI8-U)", "koi8-u", "koi8-ru", 21866, 1251, "KOI8-U"},
    {"Cyrillic (Windows)", "windows-1251", "x-cp1251", 1251, 1251, "CP1251"},
    {"Greek (ISO)", "iso-8859-7",
     "csISOLatinGreek, ECMA-118, ELOT_928, greek, greek8, ISO_8859-7, ISO_8859-7:1987, iso-ir-126",
     28597, 1253, "ISO-8859-7"},
    {"Greek (Windows)", "windows-1253", "", 1253, 1253, "CP1253"},
    {"Hebrew (DOS)", "DOS-862", "", 862, 1255, "CP862"},
    {"Hebrew (ISO-Logical)", "iso-8859-8-i", "logical", 38598, 1255, "ISO-8859-8"},
    {"Hebrew (ISO-Visual)", "iso-8859-8",
     "csISOLatinHebrew, hebrew, ISO_8859-8, ISO_8859-8:1988, ISO-8859-8, iso-ir-138, visual", 28598,
     1255, "ISO-8859-8"},
    {"Hebrew (Windows)", "windows-1255", "ISO_8859-8-I, ISO-8859-8, visual", 1255, 1255, "CP1255"},
    {"Japanese (EUC)", "euc-jp",
     "csEUCPkdFmtJapanese, Extended_UNIX_Code_Packed_Format_for_Japanese, x-euc, x-euc-jp", 51932,
     932, "EUC-JP"},
    {"Japanese (JIS)", "iso-2022-jp", "", 50220, 932, "ISO-2022-JP"},
    {"Japanese (Shift-JIS)", "shift_jis",
     "csShiftJIS, csWindows31J, ms_Kanji, shift-jis, x-ms-cp932, x-sjis", 932, 932, "CP932"},
    {"Korean", "ks_c_5601-1987",
     "csKSC56011987, euc-kr, iso-ir-149, korean, ks_c_5601, ks_c_5601_1987, ks_c_5601-1989, "
     "KSC_5601, KSC5601",
     949, 949, "CP949"},
    {"Thai (Windows)", "windows-874", "DOS-874, iso-8859-11, TIS-620", 874, 874, "CP874"},
    {"Turkish (ISO)", "iso-8859-9",
     "csISO, Latin5, ISO_8859-9, ISO_8859-9:1989, iso-ir-148, l5, latin5", 28599, 1254,
     "ISO-8859-9"},
    {"Turkish (Windows)", "windows-1254",
     "ISO_8859-9, ISO_8859-9:1989, iso-8859-9, iso-ir-148, latin5", 1254, 1254, "CP1254"},
    {"Unicode (UTF-8)", "utf-8", "unicode-1-1-utf-8, unicode-2-0-utf-8, x-unicode-2-0-utf-8", 65001,
     1200, "UTF-8"},
    {"Vietnamese (Windows)", "windows-1258", "", 1258, 1258, "CP1258"},
    {"Western European (ISO)", "iso-8859-1",
     "cp819, csISO, Latin1, ibm819, iso_8859-1, iso_8859-1:1987, iso8859-1, iso-ir-100, l1, latin1",
     28591, 1252, "ISO-8859-1"},
    {"Western European (Windows)", "Windows-1252",
     "ANSI_X3.4-1968, ANSI_X3.4-1986, ascii, cp367, cp819, csASCII, IBM367, ibm819, "
     "ISO_646.irv:1991, iso_8859-1, iso_8859-1:1987, ISO646-US, iso8859-1, iso-8859-1, iso-ir-100, "
     "iso-ir-6, latin1, us, us-ascii, x-ansi",
     1252, 1252, "CP1252"},
};

}  // namespace

CharsetCodePageMap::CharsetCodePageMap() {
  for (const CharsetRow& row : kCharsetRows) {
    const int rowIndex = static_cast<int>(rows_.size());
    rows_.push_back(std::make_unique<Charset>(Charset{
        row.description, row.name, row.aliases, row.codePage, row.familyCodePage, row.iconvName}));
    Insert(row.name, rowIndex);
    std::string_view aliases = row.aliases;
    while (!aliases.empty()) {
      const size_t comma = aliases.find(", ");
      Insert(aliases.substr(0, comma), rowIndex);
      aliases = comma == std::string_view::npos ? std::string_view() : aliases.substr(comma + 2);
    }
  }
}

const CharsetCodePageMap& CharsetCodePageMap::Instance() {
  static const CharsetCodePageMap instance;
  return instance;
}

std::string CharsetCodePageMap::LabelOf(int codePage) const {
  if (codePage == 65001) return "UTF-8";
  const Charset* row = FindCodePage(codePage);
  if (row == nullptr) return {};
  if (CodePageOf(row->name) == codePage) return row->name;
  std::string_view aliases = row->aliases;
  while (!aliases.empty()) {
    const size_t comma = aliases.find(", ");
    const std::string_view alias = aliases.substr(0, comma);
    if (CodePageOf(alias) == codePage) return std::string(alias);
    aliases = comma == std::string_view::npos ? std::string_view() : aliases.substr(comma + 2);
  }
  return {};
}

void CharsetCodePageMap::Insert(std::string_view label, int rowIndex) {
  if (label.empty()) return;
  index_.insert_or_assign(AsciiLower(label), rowIndex);
}

int CharsetCodePageMap::CodePageOf(std::string_view label) const {
  const auto found = index_.find(AsciiLower(label));
  return found == index_.end() ? 0 : rows_[found->second]->codePage;
}

const Charset* CharsetCodePageMap::FindCodePage(int codePage) const {
  for (const auto& row : rows_) {
    if (row->codePage == codePage) return row.get();
  }
  return nullptr;
}

int CodePageOfCharsetLabel(std::string_view caText) {
  return CharsetCodePageMap::Instance().CodePageOf(TrimAsciiSpace(caText));
}

}  // namespace vantaro
