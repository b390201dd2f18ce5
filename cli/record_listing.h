#pragma once

#include <QByteArray>
#include <QString>

#include "data/record_store.h"

namespace torbex::cli {

// A text as a terminal can show it: a tab or control character written as \t or \xNN.
QString terminalText(const QString& text);

// The records as the data grid holds them: one line per record, the nine cell texts (pad
// spaces kept) separated by tabs; a tab or control character in a cell is written as \t or \xNN.
QString recordListing(const data::RecordStore& store);

// The same as a JSON array: {"cells": [nine texts], "flowColour": C, "occlusionColour": C} with C
// "normal", "red" or "black" as the grid colours the two judgement cells.
QByteArray recordListingJson(const data::RecordStore& store);

}  // namespace torbex::cli
