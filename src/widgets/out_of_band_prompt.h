#pragma once
// The question asked before the document leaves the program (a save, a write to the radio) while
// some of its channels lie outside the band its Field selects.

class Document;
class QWidget;

// When channels of `doc` lie outside the band, lists them (the out-of-band tooltips of the
// channel model, row by row) with Continue / Cancel. True to go on: no such channel, or Continue.
bool confirmOutOfBandChannels(QWidget* parent, const Document& doc);
