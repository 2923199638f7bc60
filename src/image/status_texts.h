#pragma once
// The programmer's numbered status texts. Operations raise or pass the number; the
// window's status bar and the command line turn it into the text.

#include <string_view>

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

// The text of a status number, empty for a number the table does not hold. The texts
// are ASCII; 1201 and 1203 hold a "%s" for a file name.
std::string_view StatusTextOf(int number);

}  // namespace q9tx
