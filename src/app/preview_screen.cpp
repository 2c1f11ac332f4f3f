#include "app/preview_screen.h"

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
  const std::vector<std::vector<PreviewLine>> lines =
      PreviewRemoval(run.txtsetup, run.dosnet, run.names);
  std::string text;  // one buffer for every line shown
  for (size_t n = 0; n < run.names.size(); ++n) {
    console.Print(run.names[n]);
    if (lines[n].empty() || lines[n].front().note == PreviewLine::Note::kKept) console.Print(texts::kNoLine);
    for (const PreviewLine& line : lines[n]) {
      text.assign(line.in_txtsetup ? texts::kTxtsetupLine : texts::kDosnetLine);
      text.append(std::to_string(line.index + 1)).append(": ").append(line.text);
      if (line.note != PreviewLine::Note::kTaken)
        text.append(line.note == PreviewLine::Note::kKept ? texts::kKept : texts::kLongerName);
      console.Print(text);
    }
  }
  console.Print("");
  console.Print(FillTemplate(texts::kWouldAppend, {LineCountText(run.dosnet_added),
                                                   LineCountText(run.txtsetup_added)}));
  if (run.cuts_marker) console.Print(texts::kCutsMarker);
}

}  // namespace vornix
