#include "app/preview_screen.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "app/texts.h"
#include "edit/preview.h"
#include "host/console/console.h"
#include "host/failures/message_template.h"

namespace vornix {

namespace {

std::string LineCountText(int32_t count) {
  return std::to_string(count) + (count == 1 ? texts::kLine : texts::kLines);
}

}  // namespace

void ShowPreview(Console& console, const LoadedRun& run) {
  console.Print(texts::kPreviewing);
  console.Print("");
  const std::vector<PreviewLine> lines = PreviewRemoval(run.txtsetup, run.dosnet, run.names);
  auto line = lines.begin();
  for (size_t n = 0; n < run.names.size(); ++n) {
    console.Print(run.names[n]);
    const auto end = std::find_if(line, lines.end(), [n](const PreviewLine& l) { return static_cast<size_t>(l.name) != n; });
    if (line == end || line->note == PreviewLine::Note::kKept) console.Print(texts::kNoLine);
    for (; line != end; ++line) {
      char number[16];
      const char* const number_end = std::to_chars(std::begin(number), std::end(number), line->index + 1).ptr;
      const std::string_view note = line->note == PreviewLine::Note::kTaken  ? std::string_view()
                                    : line->note == PreviewLine::Note::kKept ? texts::kKept
                                                                             : texts::kLongerName;
      console.Print({line->in_txtsetup ? texts::kTxtsetupLine : texts::kDosnetLine,
                     std::string_view(number, static_cast<size_t>(number_end - number)), ": ", line->text, note});
    }
  }
  console.Print("");
  console.Print(FillTemplate(texts::kWouldAppend, {LineCountText(run.dosnet_added),
                                                   LineCountText(run.txtsetup_added)}));
  if (run.cuts_marker) console.Print(texts::kCutsMarker);
}

}  // namespace vornix
