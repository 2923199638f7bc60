#pragma once
// The status texts of the link and the transfers, by number: what the transfers show or
// raise, and what a program without the window's status bar prints for them.

namespace q9tx {

enum TransferStatus : int {
    TransferPagerDisconnected = 1101,
    TransferFirmwareTooNew = 1102,
    TransferPagerUnsupported = 1103,
    TransferReading = 1204,
    TransferWriting = 1205,
    TransferVerifying = 1206,
    TransferReadCompleted = 1207,
    TransferCannotRead = 1208,
    TransferWriteCompleted = 1209,
    TransferCannotWrite = 1210,
};

// The text of one of the numbers above but 1103 (see MessageText); null for any other.
const char* TransferStatusText(int number);

}  // namespace q9tx
