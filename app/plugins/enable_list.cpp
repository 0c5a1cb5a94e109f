#include "app/plugins/enable_list.h"

#include <cstring>

#include "base/cp932.h"

bool IsNamedInEnableList(const char* text, const char* fileName) {
  const size_t length = std::strlen(fileName);
  for (const char* p = text; *p != '\0'; p = NextCp932Char(p)) {
    if (std::strncmp(p, fileName, length) == 0) return true;
  }
  return false;
}

namespace {

bool NamesAny(const std::string& line, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (IsNamedInEnableList(line.c_str(), name.c_str())) return true;
  }
  return false;
}

}  // namespace

std::string MergeEnableList(const char* oldText, const std::vector<std::string>& folderDlls,
                            const std::vector<std::string>& ticked) {
  std::string tickedLines;
  for (const std::string& name : ticked) tickedLines += name + "\r\n";
  std::string merged;
  bool placed = false;
  for (const char* line = oldText; *line != '\0';) {
    const char* end = std::strchr(line, '\n');
    const size_t length = end != nullptr ? static_cast<size_t>(end - line) : std::strlen(line);
    std::string text(line, length);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    line += end != nullptr ? length + 1 : length;
    if (!NamesAny(text, folderDlls)) {
      merged += text + "\r\n";
    } else if (!placed) {
      merged += tickedLines;
      placed = true;
    }
  }
  return placed ? merged : merged + tickedLines;
}
