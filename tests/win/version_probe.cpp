// Prints the version record of a program as Windows reads it, one field a
// line, for the test that checks vornix.exe's record.
#include <windows.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
  if (size == 0) return 1;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(argv[1], 0, size, data.data())) return 1;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
    std::printf("FileVersion=%lu.%lu.%lu.%lu\n", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
    std::printf("ProductVersion=%lu.%lu.%lu.%lu\n", HIWORD(fixed->dwProductVersionMS),
                LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS),
                LOWORD(fixed->dwProductVersionLS));
  }
  WORD* translation = nullptr;
  if (VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                     reinterpret_cast<void**>(&translation), &length) && length >= 4) {
    std::printf("Translation=%04X %u\n", translation[0], translation[1]);
    const char* const names[] = {"CompanyName", "FileDescription", "FileVersion",
                                 "InternalName", "OriginalFilename", "ProductName",
                                 "ProductVersion"};
    for (const char* name : names) {
      char query[128];
      std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation[0],
                    translation[1], name);
      char* value = nullptr;
      if (VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &length))
        std::printf("%s=%s\n", name, value);
    }
  }
  return 0;
}
