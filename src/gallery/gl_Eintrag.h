#pragma once
// The gallery's window for one record of a data set.
#include "util/Basis.h"

class TDataSet;

// Shows the visible fields of the current record in edits below their labels. "OK" writes them and
// posts the record; an error (a number that is none, a driver's refusal) keeps the window open
// with its message. "Abbrechen" or closing cancels the record. The data set is in edit or insert
// state; true when the record was posted.
bool EintragBearbeiten(TDataSet& set, const String& titel);
