// Windows: the process's start-up, command line, code page and path rules.
#include <windows.h>

#include <string>
#include <vector>

#include "host/process/process.h"
#include "host/process/wide_paths.h"

namespace vornix {

namespace {

LeadByteSet g_lead_bytes;

unsigned DefaultAnsiCodePage(LCID locale) {
  char text[7] = {};
  if (GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text) ==
          0 ||
      text[0] < '0' || text[0] > '9')
    return GetACP();
  unsigned code_page = 0;
  for (const char* p = text; *p >= '0' && *p <= '9'; ++p)
    code_page = code_page * 10 + static_cast<unsigned>(*p - '0');
  return code_page;
}

LeadByteSet LocaleLeadBytes() {
  LCID locale = GetThreadLocale();
  if (locale == 0) locale = 0x0409;
  if (HasSingleByteCodePage(PRIMARYLANGID(LANGIDFROMLCID(locale))))
    return LeadByteSet();
  CPINFO info;
  if (!GetCPInfo(DefaultAnsiCodePage(locale), &info)) return LeadByteSet();
  return LeadBytesFromRanges(info.LeadByte, MAX_LEADBYTES);
}

// The program's own path, of any length.
std::string ExecutablePath() {
  std::wstring path(MAX_PATH + 1, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      // The directory is noted: the side files are found in it.
      path.resize(length);
      const size_t name = path.rfind(L'\\') + 1;
      return AnsiPath(path.substr(0, name)) + AnsiText(path.c_str() + name);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

void StartProcess() {
  // A batch run must never stop at a system error box.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
               SEM_NOOPENFILEERRORBOX);
  g_lead_bytes = LocaleLeadBytes();
}

void EndProcess(int status) { ExitProcess(static_cast<UINT>(status)); }

Arguments ProcessArguments(int, char**) {
  std::vector<std::string> arguments = SplitCommandLine(GetCommandLineA(), g_lead_bytes);
  // The directory as the user typed it: the ANSI command line holds "?" for
  // what the code page cannot spell, the wide one holds it all.
  const std::vector<std::wstring> wide = SplitCommandLine(std::wstring_view(GetCommandLineW()));
  if (!arguments.empty() && wide.size() == arguments.size()) arguments[0] = AnsiPath(wide[0]);
  return Arguments(ExecutablePath(), std::move(arguments));
}

const PathRules& HostPathRules() {
  static const PathRules rules = WindowsPathRules(g_lead_bytes);
  return rules;
}

}  // namespace vornix
