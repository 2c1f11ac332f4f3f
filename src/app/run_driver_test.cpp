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

std::string Read(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Runs `args` in memory; returns what it printed, and the failure, if any,
// as its class name and message.
std::string RunInMemory(MemoryFileSystem& fs, const Lines& args, const std::string& input, std::string* failure) {
  MemoryHandle in, out;
  in.reads = {input};
  Console console(in, out, "\n");
  try {
    RunDriver(RunHost{Arguments("/tool/vornix", args), fs, console, PosixPathRules()});
  } catch (const Exception& raised) {
    *failure = std::string(raised.ClassName()) + " " + raised.Message();
  }
  console.Close();
  return out.Written();
}

TEST(RunDriver, Cases) {
  static const std::map<std::string, FileResult::Step> kSteps = {
      {"open", FileResult::Step::kOpen}, {"read", FileResult::Step::kRead},
      {"create", FileResult::Step::kCreate}, {"write", FileResult::Step::kWrite}};
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VORNIX_CASES_DIR)) {
    for (const Case& c : ParseCases(Read(entry.path()), true)) {
      SCOPED_TRACE(entry.path().filename().string() + ": " + c.title);
      ++count;
      MemoryFileSystem fs;
      for (const auto& [name, lines] : c.files)
        fs.files[UpperAscii((c.blanked.count(name) ? "/I386/" : "/tool/") + name)] = Joined(lines, "\r\n");
      for (const auto& [path, step] : c.failing) fs.failing[UpperAscii(path)] = kSteps.at(step);
      std::string failure;
      const std::string printed = RunInMemory(fs, c.args, c.input, &failure);
      EXPECT_EQ(failure, c.fails);
      const bool complete = !c.screen && c.fails.empty();
      Lines screen = {"MassStorage driver deleter v1.0.0.2", "Written by the Vornix developers",
                      "Made on the Internet, 2026", ""};
      const Lines rest = c.screen ? *c.screen : Lines{"Delete 3rd party MSST drivers...", "Done...",
                                                      "Restore stok replaced/deleted MSST drivers...", "Done..."};
      screen.insert(screen.end(), rest.begin(), rest.end());
      if (c.pause) screen.insert(screen.end(), {"", "Hit <Enter> to exit"});
      if (c.screen || complete) EXPECT_EQ(printed, Joined(screen, "\n"));
      const Lines saved = c.saved ? *c.saved : complete ? Lines{"/I386/TXTSETUP.SIF", "/I386/DOSNET.INF"} : Lines{};
      EXPECT_EQ(fs.replaced, saved);
      for (const std::string& path : saved) {  // kept lines, blanked ones empty, then the add lines
        const std::string file = path == "/I386/TXTSETUP.SIF" ? "txtsetup.sif" : "dosnet.inf";
        Lines expected = c.files.at(file);
        for (size_t i = 0; i < expected.size(); ++i)
          if (c.blanked.at(file)[i]) expected[i].clear();
        const auto add = c.files.find(file.substr(0, file.find('.')) + ".add");
        if (add != c.files.end()) expected.insert(expected.end(), add->second.begin(), add->second.end());
        EXPECT_EQ(fs.files[UpperAscii(path)], Joined(expected, "\r\n")) << path;
      }
    }
  }
  EXPECT_GT(count, 25);
}

// Real scripts, with a name for every driver file they list: the lines a
// preview lists, but those kept, are the lines a run blanks.
TEST(RunDriver, PreviewListsWhatARunBlanks) {
  const std::filesystem::path corpus = std::getenv("VORNIX_CORPUS") ? std::getenv("VORNIX_CORPUS") : VORNIX_CORPUS_DIR;
  if (!std::filesystem::exists(corpus / "xp-sp3-ru")) GTEST_SKIP() << "no corpus of real scripts at " << corpus;
  for (const char* source : {"xp-sp3-ru", "xp-x64-nlite"}) {
    MemoryFileSystem fs;
    for (const std::string name : {"TXTSETUP.SIF", "DOSNET.INF"})
      fs.files["/I386/" + name] = Read(corpus / source / name);
    const std::string& txtsetup = fs.files["/I386/TXTSETUP.SIF"];
    const std::regex sys_file(R"((^|\n)([\w$-]+)\.sys\s*=)", std::regex::icase);
    const std::regex listed_line(R"(\n  (\S+) (\d+): (?!.* <- kept\n))");
    std::string names, failure;
    for (std::sregex_iterator it(txtsetup.begin(), txtsetup.end(), sys_file), end; it != end; ++it)
      names += (*it)[2].str() + "\n";
    fs.files["/TOOL/TXTFILES.DEL"] = names;
    const std::map<std::string, std::string> before = fs.files;
    const std::string printed = RunInMemory(fs, {"/I386", "-N"}, "", &failure);
    RunInMemory(fs, {"/I386", "-Q"}, "", &failure);
    std::set<std::string> listed, blanked;
    for (std::sregex_iterator it(printed.begin(), printed.end(), listed_line), end; it != end; ++it)
      listed.insert((*it)[1].str() + " " + (*it)[2].str());
    for (const std::string name : {"TXTSETUP.SIF", "DOSNET.INF"}) {
      LineList old_lines, new_lines;
      old_lines.SetText(before.at("/I386/" + name));
      new_lines.SetText(fs.files["/I386/" + name]);
      for (int32_t i = 0; i < old_lines.LineCount() && i < new_lines.LineCount(); ++i)
        if (!old_lines.LineView(i).empty() && new_lines.LineView(i).empty())
          blanked.insert(name + " " + std::to_string(i + 1));
    }
    EXPECT_EQ(failure, "");
    EXPECT_GT(blanked.size(), 500u) << source;
    EXPECT_EQ(listed, blanked) << source;
  }
}

}  // namespace
}  // namespace vornix
