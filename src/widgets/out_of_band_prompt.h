#pragma once
// The question asked before the document leaves the program (a save, a write to the radio) while
// some of its channels lie outside the band its Field selects.

class Document;
class QWidget;

// What the document is about to do: be saved, or be written to the radio.
enum class OutOfBandUse { Save, Write };

// When channels of `doc` lie outside the band, lists them (the out-of-band tooltips of the
// channel model, row by row) with Continue / Cancel; before a write, a sentence heads the list
// saying which band it is, that Continue writes the channels as they are and that the radio may
// not tune them. True to go on: no such channel, or Continue.
bool confirmOutOfBandChannels(QWidget* parent, const Document& doc,
                              OutOfBandUse use = OutOfBandUse::Save);
