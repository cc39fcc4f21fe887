#pragma once
// File > Import Channels... and Export Channels...: the channel table as the same CSV that
// orvo-cli import and export use, ours or the memory CSV of other programs; and files dropped on
// the main window (a .sin file opens, with the save prompt; a .csv file is imported).

#include "core/image/radio_image.h"

#include <QString>

class MainWindow;
class FormView;

// Asks for a CSV file and imports it (importChannelsFile).
void importChannels(FormView& view);

// Asks for a file name and a format (the file type of the save dialog) and writes the channel
// table the form shows as CSV; what the memory CSV cannot carry (Busy) is said in one message.
void exportChannels(FormView& view);

// Applies the CSV file at `path`, in either format (known by its header), to the channels the
// form shows, each cell checked as typing it would be (frequencies against the selected band).
// Any refused cell refuses the whole file: one message lists every refused cell (line, column,
// reason) and nothing changes. Otherwise the listed channels change, the others are kept, and a
// message says how many changed. True when the file was taken.
bool importChannelsFile(FormView& view, const QString& path);

// Puts an imported image into the document as one undoable step, "Import channels", marked
// modified; undo brings the previous table back. The one place an import touches the document.
void applyImportedImage(FormView& view, const orvo::RadioImage& image);

// Lets the main window take dropped .sin and .csv files.
void installFileDrops(MainWindow& window);
