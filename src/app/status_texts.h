#pragma once
// The numbered status texts shown in the status bar. Operations raise or pass the
// number; the window turns it into the text.

#include <QString>

namespace q9tx {

enum StatusNumber : int {
    StatusPagerConnected = 1100,
    StatusPagerDisconnected = 1101,
    StatusFirmwareTooNew = 1102,
    StatusPagerUnsupported = 1103,
    StatusLoading = 1200,
    StatusLoadedFrom = 1201,
    StatusSaving = 1202,
    StatusSavedTo = 1203,
    StatusReading = 1204,
    StatusWriting = 1205,
    StatusVerifying = 1206,
    StatusReadCompleted = 1207,
    StatusCannotRead = 1208,
    StatusWriteCompleted = 1209,
    StatusCannotWrite = 1210,
    StatusFileNotRead = 1300,
    StatusFileCorrupted = 1301,
    StatusFileNotWritten = 1302,
    StatusOutOfMemory = 1400,
    StatusContentMismatch = 1401,
    StatusContentCorrupted = 1403,
    StatusCapcodeUsed = 1500,
    StatusIllegalCapcode = 1501,
    StatusIllegalValue = 1502,
    StatusIllegalFrequency = 1600,
    StatusEnterNumber = 1700,
};

// The text of a status number, empty for a number the table does not hold.
QString StatusText(int number);
// The text with its "%s" replaced by the argument (file names in 1201 and 1203).
QString StatusText(int number, const QString& argument);

}  // namespace q9tx
