#include "app/preview_screen.h"

#include "app/texts.h"
#include "edit/preview.h"
#include "host/console.h"
#include "host/line_list.h"

namespace vornix {

namespace {

std::string Lines(int32_t count) {
  return std::to_string(count) + (count == 1 ? " line" : " lines");
}

}  // namespace

void ShowPreview(Console& console, const PreviewOf& preview) {
  console.Print(texts::kPreviewing);
  console.Print("");
  const std::vector<std::vector<PreviewLine>> lines =
      PreviewRemoval(preview.txtsetup, preview.dosnet, preview.names);
  for (size_t n = 0; n < preview.names.size(); ++n) {
    console.Print(preview.names[n]);
    if (lines[n].empty() || lines[n].front().note == PreviewLine::Note::kKept) console.Print(texts::kNoLine);
    for (const PreviewLine& line : lines[n]) {
      const LineList& script = line.in_txtsetup ? preview.txtsetup : preview.dosnet;
      std::string text = line.in_txtsetup ? "  TXTSETUP.SIF " : "  DOSNET.INF ";
      text.append(std::to_string(line.index + 1)).append(": ").append(script.LineView(line.index));
      if (line.note != PreviewLine::Note::kTaken)
        text.append(line.note == PreviewLine::Note::kKept ? texts::kKept : texts::kLongerName);
      console.Print(text);
    }
  }
  console.Print("");
  console.Print("Would append " + Lines(preview.dosnet_added) + " to DOSNET.INF and " +
                Lines(preview.txtsetup_added) + " to TXTSETUP.SIF.");
  if (preview.cuts_marker) console.Print(texts::kCutsMarker);
}

}  // namespace vornix
