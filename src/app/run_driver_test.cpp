#include "app/run_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <regex>
#include <set>

#include "case_file.h"
#include "host/console/console.h"
#include "host/failures/failures.h"
#include "host/process/command_line.h"
#include "host/process/paths.h"
#include "host/text/line_list.h"
#include "host/text/text_rules.h"
#include "memory_host.h"

namespace vornix {
namespace {

using Lines = std::vector<std::string>;

std::string Joined(const Lines& lines, const char* end) {
  return std::accumulate(lines.begin(), lines.end(), std::string(),
                         [&](std::string text, const std::string& line) { return text + line + end; });
}

std::string Read(const std::filesystem::path& path) {
  return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

// Runs `args` in memory: what it printed, and its status or the failure, as class and message.
std::string RunInMemory(MemoryFileSystem& fs, const Lines& args, const std::string& input, std::string* failure,
                        int* status = nullptr) {
  MemoryHandle in, out;
  in.reads = {input};
  Console console(in, out, "\n");
  try {
    const int ended = RunDriver(RunHost{Arguments("/tool/vornix", args), fs, console, PosixPathRules()});
    if (status) *status = ended;
  } catch (const Exception& raised) {
    *failure = std::string(raised.ClassName()) + " " + raised.Message();
  }
  console.Close();
  return std::accumulate(out.writes.begin(), out.writes.end(), std::string());
}

// The lines a preview lists but for those kept, as "FILE NUMBER".
std::set<std::string> Listed(MemoryFileSystem fs) {
  std::string failure;
  const std::string printed = RunInMemory(fs, {"/I386", "-N"}, "", &failure);
  static const std::regex listed_line(R"(\n  (\S+) (\d+): (?!.* <- kept\n))");
  std::set<std::string> listed;
  for (std::sregex_iterator it(printed.begin(), printed.end(), listed_line), end; it != end; ++it)
    listed.insert((*it)[1].str() + " " + (*it)[2].str());
  return listed;
}

TEST(RunDriver, Cases) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(VORNIX_CASES_DIR)) {
    for (const Case& c : ParseCases(Read(entry.path()), true)) {
      SCOPED_TRACE(entry.path().filename().string() + ": " + c.title);
      ++count;
      MemoryFileSystem fs;
      for (const auto& [name, lines] : c.files) {
        const bool script = c.blanked.count(name) != 0;
        fs.files[UpperAscii((script ? "/I386/" : "/tool/") + name)] =
            (c.bom && !script ? "\xEF\xBB\xBF" : "") + Joined(lines, "\r\n");
      }
      for (const std::string& path : c.unreadable) fs.unreadable.insert(UpperAscii(path));
      const MemoryFileSystem before = fs;
      std::string failure;
      int status = -1;
      const std::string printed = RunInMemory(fs, c.args, c.input, &failure, &status);
      EXPECT_EQ(failure, c.fails);
      if (c.fails.empty()) EXPECT_EQ(status, c.status);
      const bool complete = !c.screen && c.fails.empty();
      Lines screen = {"MassStorage driver deleter v1.0.0.2", "Written by the Vornix developers",
                      "Made on the Internet, 2026", ""};
      const Lines rest = c.screen ? *c.screen : Lines{"Delete 3rd party MSST drivers...", "Done...", "Restore stok replaced/deleted MSST drivers...", "Done..."};
      screen.insert(screen.end(), rest.begin(), rest.end());
      if (c.pause) screen.insert(screen.end(), {"", "Hit <Enter> to exit"});
      if (c.screen || complete) EXPECT_EQ(printed, Joined(screen, "\n"));
      EXPECT_EQ(fs.replaced, (complete ? Lines{"/I386/TXTSETUP.SIF", "/I386/DOSNET.INF"} : Lines{}));
      std::set<std::string> marked;  // a complete run: kept lines, blanked ones empty, then the add lines
      for (const std::string file : {"txtsetup.sif", "dosnet.inf"}) {
        Lines expected = c.files.count(file) ? c.files.at(file) : Lines{};
        for (size_t i = 0; i < expected.size(); ++i)
          if (c.blanked.at(file)[i]) expected[i].clear(), marked.insert(UpperAscii(file) + " " + std::to_string(i + 1));
        const auto add = c.files.find(file.substr(0, file.find('.')) + ".add");
        if (add != c.files.end()) expected.insert(expected.end(), add->second.begin(), add->second.end());
        if (complete) EXPECT_EQ(fs.files["/I386/" + UpperAscii(file)], Joined(expected, "\r\n")) << file;
      }
      if (complete) EXPECT_EQ(Listed(before), marked);  // and a preview lists what the run blanks
    }
  }
  EXPECT_GT(count, 20);
}

// The lines a run blanks, as "FILE NUMBER".
std::set<std::string> Blanked(MemoryFileSystem fs) {
  const MemoryFileSystem before = fs;
  std::string failure;
  RunInMemory(fs, {"/I386", "-Q"}, "", &failure);
  EXPECT_EQ(failure, "");
  std::set<std::string> blanked;
  for (const std::string name : {"TXTSETUP.SIF", "DOSNET.INF"}) {
    LineList old_lines, new_lines;
    old_lines.SetText(before.files.at("/I386/" + name));
    new_lines.SetText(fs.files["/I386/" + name]);
    for (int32_t i = 0; i < old_lines.LineCount() && i < new_lines.LineCount(); ++i)
      if (!old_lines.LineView(i).empty() && new_lines.LineView(i).empty())
        blanked.insert(name + " " + std::to_string(i + 1));
  }
  return blanked;
}

// Real scripts. With a name for every driver file they list, the lines a preview lists, but those kept,
// are the lines a run blanks. With a name for every second load line of [SCSI.Load], cut to five bytes,
// a list has a row for every load line, in file order, marked where a run blanks it.
TEST(RunDriver, PreviewAndListShowWhatARunBlanks) {
  const std::filesystem::path corpus = std::getenv("VORNIX_CORPUS") ? std::getenv("VORNIX_CORPUS") : VORNIX_CORPUS_DIR;
  if (!std::filesystem::exists(corpus / "xp-sp3-ru")) GTEST_SKIP() << "no corpus of real scripts at " << corpus;
  const std::pair<const char*, size_t> sources[] = {
      {"xp-sp3-ru", 32}, {"minixp-hiren", 44}, {"reactos-0.4.13", 4}, {"xp-x64-nlite", 1}};
  for (const auto& [source, rows] : sources) {
    MemoryFileSystem fs;
    for (const auto& entry : std::filesystem::directory_iterator(corpus / source))
      fs.files["/I386/" + UpperAscii(entry.path().filename().string())] = Read(entry.path());
    fs.files.emplace("/I386/DOSNET.INF", "");
    LineList txtsetup;
    txtsetup.SetText(fs.files["/I386/TXTSETUP.SIF"]);

    MemoryFileSystem every_file = fs;
    const std::regex sys_file(R"((^|\n)([\w$-]+)\.sys\s*=)", std::regex::icase);
    const std::string& text = fs.files["/I386/TXTSETUP.SIF"];
    for (std::sregex_iterator it(text.begin(), text.end(), sys_file), end; it != end; ++it)
      every_file.files["/TOOL/TXTFILES.DEL"] += (*it)[2].str() + "\n";
    const std::set<std::string> blanked = Blanked(every_file);
    EXPECT_GT(blanked.size(), 20u) << source;
    EXPECT_EQ(Listed(every_file), blanked) << source;

    std::vector<std::pair<int32_t, std::string>> load_lines;  // number, name
    bool in_load = false;
    for (int32_t i = 0; i < txtsetup.LineCount(); ++i) {
      const std::string line(TrimBlanks(txtsetup.LineView(i)));
      if (line.find('[') != std::string::npos) {
        in_load = UpperAscii(line) == "[SCSI.LOAD]";
      } else if (in_load && line.find('=') != std::string::npos && line[0] != ';') {
        load_lines.emplace_back(i + 1, TrimBlanks(line.substr(0, line.find('='))));
        if (load_lines.size() % 2) fs.files["/TOOL/TXTFILES.DEL"] += load_lines.back().second.substr(0, 5) + "\n";
      }
    }
    fs.files["/TOOL/TXTFILES.DEL"] += "nothing\n";
    const std::set<std::string> taken = Blanked(fs);
    std::vector<std::string> listed, expected;
    for (const auto& [number, name] : load_lines)
      expected.push_back(name + (taken.count("TXTSETUP.SIF " + std::to_string(number)) ? " taken" : ""));
    std::string failure;
    const std::string printed = RunInMemory(fs, {"/I386", "-L"}, "", &failure);
    static const std::regex row(R"(\n  (\S+) +\S+ +\d+ IDs? +.*?( <- \S+)?(?=\n))");
    for (std::sregex_iterator it(printed.begin(), printed.end(), row), end; it != end; ++it)
      listed.push_back((*it)[1].str() + ((*it)[2].matched ? " taken" : ""));
    EXPECT_EQ(load_lines.size(), rows) << source;
    EXPECT_EQ(failure, "");
    EXPECT_EQ(listed, expected) << source;
  }
}

}  // namespace
}  // namespace vornix
