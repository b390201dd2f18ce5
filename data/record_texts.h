#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include "data/measurement_record.h"

namespace torbex::data {

// Tenths as the data grid and the data file write a result: "##0.0", with a sign when negative
// (995 is "99.5", -15 is "-1.5", 5 is "0.5").
QString tenthsText(int tenths);

// Writes the number fields' texts from the record's values, as a download gives them: the flow
// setting right-aligned in 3 characters (a longer number keeps its last three), the results
// right-aligned in 6 and 8, the level as its letter. A value that is not known leaves its field
// blank.
void setNumberTexts(MeasurementRecord& record);

// The values of a record's texts, read as a data file's line is read: a text that is no number,
// date, time or level gives a value that is not known.
Measurement valuesOfTexts(const MeasurementRecord& record);

// The date of a "20yy/mm/dd" text and the time of an "hh:mm" text (pad spaces allowed); invalid
// when the text is no such date or time.
QDate measureDateOf(QStringView text);
QTime measureTimeOf(QStringView text);

// The record's date and time texts from a date and time: "yyyy/MM/dd" and "HH:mm".
QString measureDateText(const QDate& date);
QString measureTimeText(const QTime& time);

}  // namespace torbex::data
