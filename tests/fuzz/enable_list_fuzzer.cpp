// libFuzzer target: the enable-list match and merge on untrusted text. The input is split at its
// first NUL into the list's text and, up to the next NUL, a file name; each goes into a block of
// exactly its length plus the terminator, so that ASan stops a scan that steps past the end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/plugins/enable_list.h"

namespace {

std::unique_ptr<char[]> TerminatedCopy(const char* begin, const char* end) {
  const auto length = static_cast<size_t>(end - begin);
  std::unique_ptr<char[]> copy(new char[length + 1]);
  std::memcpy(copy.get(), begin, length);
  copy[length] = '\0';
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* begin = reinterpret_cast<const char*>(data);
  const char* end = begin + size;
  const char* split = std::find(begin, end, '\0');
  const char* nameBegin = split == end ? end : split + 1;
  const char* nameEnd = std::find(nameBegin, end, '\0');
  const auto text = TerminatedCopy(begin, split);
  const auto name = TerminatedCopy(nameBegin, nameEnd);

  const bool named = IsNamedInEnableList(text.get(), name.get());
  // A name is only ever found where its bytes occur in the text.
  if (named && std::strstr(text.get(), name.get()) == nullptr) std::abort();
  // The text's first character always starts a name.
  const size_t nameLength = std::strlen(name.get());
  if (nameLength != 0 && std::strncmp(text.get(), name.get(), nameLength) == 0 && !named) {
    std::abort();
  }
  // Cleared, the name is gone from the merged list; ticked, it is in it. (A name
  // with a line break could span two kept lines.)
  if (nameLength != 0 && std::strpbrk(name.get(), "\r\n") == nullptr) {
    const std::vector<std::string> folder = {name.get()};
    if (IsNamedInEnableList(MergeEnableList(text.get(), folder, {}).c_str(), name.get())) {
      std::abort();
    }
    if (!IsNamedInEnableList(MergeEnableList(text.get(), folder, folder).c_str(), name.get())) {
      std::abort();
    }
  }
  return 0;
}
