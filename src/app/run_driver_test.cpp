#include "app/run_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "case_file.h"
#include "edit/text_rules.h"
#include "host/command_line.h"
#include "host/console.h"
#include "host/failures.h"
#include "host/line_list.h"
#include "host/paths.h"
#include "memory_console.h"
#include "memory_file_system.h"

namespace vornix {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

// One case, run whole through RunDriver in memory.
void RunCase(const Case& c) {
  static const std::map<std::string, FileResult::Step> kSteps = {
      {"open", FileResult::Step::kOpen}, {"read", FileResult::Step::kRead},
      {"create", FileResult::Step::kCreate}, {"write", FileResult::Step::kWrite}};
  MemoryFileSystem fs;
  for (const auto& [name, lines] : c.files)
    fs.files[UpperAscii((c.blanked.count(name) ? "/I386/" : "/tool/") + name)] = Joined(lines, "\r\n");
  for (const auto& [path, step] : c.failing) fs.failing[UpperAscii(path)] = kSteps.at(step);
  MemoryHandle in, out;
  in.reads = {c.input};
  Console console(in, out, "\n");
  std::string failure;
  try {
    RunDriver(RunHost{Arguments("/tool/vornix", c.args), fs, console, PosixPathRules()});
  } catch (const Exception& raised) {
    failure = std::string(raised.ClassName()) + " " + raised.Message();
  }
  console.Close();
  EXPECT_EQ(failure, c.fails);

  const bool complete = !c.screen && c.fails.empty();
  Lines screen = {"MassStorage driver deleter v1.0.0.2", "Written by the Vornix developers",
                  "Made on the Internet, 2026", ""};
  const Lines progress = {"Delete 3rd party MSST drivers...", "Done...",
                          "Restore stok replaced/deleted MSST drivers...", "Done..."};
  const Lines& rest = c.screen ? *c.screen : progress;
  screen.insert(screen.end(), rest.begin(), rest.end());
  if (c.pause) screen.insert(screen.end(), {"", "Hit <Enter> to exit"});
  if (c.screen || complete) EXPECT_EQ(out.Written(), Joined(screen, "\n"));

  const Lines saved = c.saved ? *c.saved : complete ? Lines{"/I386/TXTSETUP.SIF", "/I386/DOSNET.INF"} : Lines{};
  EXPECT_EQ(fs.replaced, saved);
  for (const std::string& path : saved) {
    const std::string script = path == "/I386/TXTSETUP.SIF" ? "txtsetup" : "dosnet";
    const std::string file = script == "txtsetup" ? "txtsetup.sif" : "dosnet.inf";
    Lines expected = c.files.at(file);
    for (size_t i = 0; i < expected.size(); ++i)
      if (c.blanked.at(file)[i]) expected[i].clear();
    const auto add = c.files.find(script + ".add");
    if (add != c.files.end()) expected.insert(expected.end(), add->second.begin(), add->second.end());
    EXPECT_EQ(fs.files[UpperAscii(path)], Joined(expected, "\r\n")) << path;
  }
}

TEST(RunDriver, Cases) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VORNIX_CASES_DIR)) {
    std::stringstream text;
    text << std::ifstream(entry.path()).rdbuf();
    for (const Case& c : ParseCases(text.str(), true)) {
      SCOPED_TRACE(entry.path().filename().string() + ": " + c.title);
      RunCase(c);
      ++count;
    }
  }
  EXPECT_GT(count, 20);
}

std::string Read(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// On real scripts, with a name for every driver file they list: the lines a
// preview lists, but those kept, are the lines a run blanks.
TEST(RunDriver, PreviewListsWhatARunBlanks) {
  const std::filesystem::path corpus = std::getenv("VORNIX_CORPUS") ? std::getenv("VORNIX_CORPUS") : VORNIX_CORPUS_DIR;
  if (!std::filesystem::exists(corpus / "xp-sp3-ru")) GTEST_SKIP() << "no corpus of real scripts at " << corpus;
  for (const char* source : {"xp-sp3-ru", "xp-x64-nlite"}) {
    MemoryFileSystem fs;
    const std::string scripts[] = {Read(corpus / source / "TXTSETUP.SIF"), Read(corpus / source / "DOSNET.INF")};
    std::string names;
    const std::regex sys_file(R"((^|\n)([\w$-]+)\.sys\s*=)", std::regex::icase);
    for (std::sregex_iterator it(scripts[0].begin(), scripts[0].end(), sys_file), end; it != end; ++it)
      names += (*it)[2].str() + "\n";
    fs.files = {{"/I386/TXTSETUP.SIF", scripts[0]}, {"/I386/DOSNET.INF", scripts[1]}, {"/TOOL/TXTFILES.DEL", names}};
    MemoryHandle in, out;
    Console console(in, out, "\n");
    RunDriver(RunHost{Arguments("/tool/vornix", {"/I386", "-N"}), fs, console, PosixPathRules()});
    RunDriver(RunHost{Arguments("/tool/vornix", {"/I386", "-Q"}), fs, console, PosixPathRules()});
    std::set<std::string> listed, blanked;
    const std::regex taken(R"(\n  (TXTSETUP.SIF|DOSNET.INF) (\d+): [^\n]*)");
    const std::string printed = out.Written();
    for (std::sregex_iterator it(printed.begin(), printed.end(), taken), end; it != end; ++it)
      if (it->str().find(" <- kept") == std::string::npos) listed.insert((*it)[1].str() + " " + (*it)[2].str());
    for (int s = 0; s < 2; ++s) {
      LineList before, after;
      before.SetText(scripts[s]);
      after.SetText(fs.files[s == 0 ? "/I386/TXTSETUP.SIF" : "/I386/DOSNET.INF"]);
      for (int32_t i = 0; i < before.LineCount() && i < after.LineCount(); ++i)
        if (!before.LineView(i).empty() && after.LineView(i).empty())
          blanked.insert((s == 0 ? "TXTSETUP.SIF " : "DOSNET.INF ") + std::to_string(i + 1));
    }
    EXPECT_GT(blanked.size(), 500u) << source;
    EXPECT_EQ(listed, blanked) << source;
  }
}

TEST(RunDriver, EndOfFileMarker) {
  const struct { std::string text, kept; } cases[] = {
      {"a\n\x1A", "a\r\n"},
      {"a\nlast\x1A", "a\r\nlast\r\n"},  // text before the marker stays
      {"a\nx\x1Ay\x1A", "a\r\nx\r\n"},
      {"\x1A\na", "\x1A\r\na\r\n"},  // only the last line counts
  };
  for (const auto& c : cases) {
    LineList list;
    list.SetText(c.text);
    DropEndOfFileMarker(list);
    EXPECT_EQ(list.LinesToText(), c.kept);
  }
}

}  // namespace
}  // namespace vornix
