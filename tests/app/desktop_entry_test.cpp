#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "cli/cli_process.h"
#include "record/record_format.h"
#include "test_support.h"

namespace vantaro::test {
namespace {

// The files that tell the desktop what the program opens, as installed,
// read by the desktop's own tools where they are installed.
const std::filesystem::path kInstallFiles = VANTARO_INSTALL_FILES;

bool Installed(const std::string& program) {
  return RunProgram("sh", {"-c", "command -v " + program}).status == 0;
}

// The MIME types the entry declares, in file order.
std::vector<std::string> DeclaredTypes() {
  const std::string xml = ReadFileBytes(kInstallFiles / "vantaro.xml");
  const std::regex declared("<mime-type type=\"([^\"]+)\"");
  std::vector<std::string> types;
  for (auto found = std::sregex_iterator(xml.begin(), xml.end(), declared);
       found != std::sregex_iterator(); ++found) {
    types.push_back((*found)[1]);
  }
  return types;
}

TEST(DesktopEntryTest, EveryRecordFormatHasAMimeTypeTheDesktopDatabaseTakes) {
  if (!Installed("update-mime-database")) GTEST_SKIP() << "update-mime-database is not installed";
  TemporaryDirectory data;
  const std::filesystem::path mime = data.path() / "mime";
  std::filesystem::create_directories(mime / "packages");
  std::filesystem::copy_file(kInstallFiles / "vantaro.xml", mime / "packages" / "vantaro.xml");
  // With the folder on the data path the tool has nothing to warn about but the entry.
  const ProcessResult built = RunProgram(
      "env", {"XDG_DATA_DIRS=" + data.path().string(), "update-mime-database", mime.string()});
  ASSERT_EQ(built.status, 0);
  EXPECT_EQ(built.err, "");

  std::map<std::string, std::string> typeOfGlob;
  std::istringstream globs(ReadFileBytes(mime / "globs2"));
  for (std::string line; std::getline(globs, line);) {
    std::smatch parts;
    if (std::regex_match(line, parts, std::regex("[0-9]+:([^:]+):(.*)"))) {
      typeOfGlob[parts[2]] = parts[1];
    }
  }
  std::set<std::string> used;
  for (const FormatExtension& known : RecordExtensions()) {
    const std::string glob = "*." + std::string(known.extension);
    ASSERT_TRUE(typeOfGlob.contains(glob)) << glob;
    used.insert(typeOfGlob[glob]);
  }
  const std::vector<std::string> declared = DeclaredTypes();
  EXPECT_EQ(used, std::set<std::string>(declared.begin(), declared.end()));
  // An SGF record without its extension is still known by its first bytes.
  EXPECT_NE(ReadFileBytes(mime / "magic").find("(;"), std::string::npos);
}

TEST(DesktopEntryTest, TheDesktopEntryOpensSeveralFilesOfEveryTypeAndIsValid) {
  const std::string entry = ReadFileBytes(kInstallFiles / "vantaro.desktop");
  EXPECT_NE(entry.find("\nExec=vantaro %F\n"), std::string::npos);
  std::string types;
  for (const std::string& type : DeclaredTypes()) types += type + ";";
  EXPECT_NE(entry.find("\nMimeType=" + types + "\n"), std::string::npos) << entry;
  if (!Installed("desktop-file-validate")) GTEST_SKIP() << "desktop-file-validate is not installed";
  const ProcessResult checked =
      RunProgram("desktop-file-validate", {(kInstallFiles / "vantaro.desktop").string()});
  EXPECT_EQ(checked.status, 0);
  EXPECT_EQ(checked.out + checked.err, "");
}

}  // namespace
}  // namespace vantaro::test
