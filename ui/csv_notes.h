#pragma once

#include "model/channel_csv.h"

#include <QString>

#include <cstddef>
#include <vector>

class QWidget;

namespace zem {

class Prompts;

// A damaged file can note each of a million lines, and a box of them would take minutes to lay
// out: the first rows are enough to find the trouble in the file.
inline constexpr std::size_t kShownNotes = 30;

// One box of what a CSV file or text did not give or take: `heading`, the first kShownNotes notes
// escaped as every message quoting a file is, then "ほか N 行" for the notes left out of the box
// and the `moreNotes` the reader only counted. Nothing when there is no note.
void ShowCsvNotes(Prompts& prompts, QWidget* owner, const QString& heading, const std::vector<ChannelCsvNote>& notes,
                  std::size_t moreNotes, const QString& caption);

} // namespace zem
