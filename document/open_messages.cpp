#include "document/open_messages.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "text/text_conversion.h"

namespace vantaro {

std::u16string FileTitle(const std::string& path) {
  const size_t slash = path.rfind('/');
  return FromUtf8(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::u16string OpenFailureMessage(const std::string& path, const IoResult& result) {
  const std::u16string name = FileTitle(path);
  const std::u16string notARecord = name + u" is not a game record.";
  if (result.ok) return notARecord;
  struct stat status;
  if (stat(path.c_str(), &status) != 0) {
    if (errno == EACCES) return u"You may not read " + name + u".";
    if (errno == ENOENT || errno == ENOTDIR) return name + u" does not exist.";
  } else if (S_ISDIR(status.st_mode)) {
    return name + u" is a folder, not a file.";
  } else if (!S_ISREG(status.st_mode)) {
    return notARecord;
  } else if (access(path.c_str(), R_OK) != 0) {
    return u"You may not read " + name + u".";
  }
  return kParseError;
}

}  // namespace vantaro
