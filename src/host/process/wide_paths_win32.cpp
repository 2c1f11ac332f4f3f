#include "host/process/wide_paths.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace vornix {

namespace {

// The paths noted, as their 8-bit text and what it stands for.
std::vector<std::pair<std::string, std::wstring>>& NotedSpellings() {
  static std::vector<std::pair<std::string, std::wstring>> noted;
  return noted;
}

}  // namespace

std::wstring WideText(const std::string& text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(),
                      static_cast<int>(wide.size()));
  return wide;
}

std::wstring WideSpelling(const std::string& path) {
  const std::pair<std::string, std::wstring>* found = nullptr;
  for (const auto& noted : NotedSpellings()) {
    const std::string& text = noted.first;
    if (path.compare(0, text.size(), text) == 0 &&
        (path.size() == text.size() || path[text.size()] == '\\' || text.back() == '\\') &&
        (!found || text.size() > found->first.size()))
      found = &noted;
  }
  if (!found) return WideText(path);
  return found->second + WideText(path.substr(found->first.size()));
}

std::wstring WidePath(const std::string& path) {
  const std::wstring wide = WideSpelling(path);
  if (wide.size() < MAX_PATH) return wide;
  if (wide.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + wide.substr(2);
  return L"\\\\?\\" + wide;
}

std::string AnsiText(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
  return text;
}

std::string AnsiPath(const std::wstring& wide) {
  std::string text = AnsiText(wide.c_str());
  if (!text.empty() && WideText(text) != wide) NotedSpellings().emplace_back(text, wide);
  return text;
}

}  // namespace vornix
