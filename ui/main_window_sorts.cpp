#include "main_window.h"

#include "collation/japanese_collation.h"

#include "model/channel_sort.h"
#include "model/conversion_error.h"

namespace zem {

// A frequency that is not a number stops the sort part-way; the grid is redrawn all the same,
// so that it shows the exchanges already made instead of an order the table no longer has. The
// one bad record is reported once, by the sort.
void TFormD7::S2Click() {
    try {
        SortByFrequency(image_.Channels);
    } catch (const ConversionError& e) {
        FillMemoryGrid();
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    RectoGrid();
}

void TFormD7::N1Click() {
    SortByName(image_.Channels, CompareJapanese);
    RectoGrid();
}

void TFormD7::M4Click() {
    SortByMemo(image_.Channels, CompareJapanese);
    RectoGrid();
}

} // namespace zem
