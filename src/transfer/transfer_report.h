#pragma once
// What a running read or write asks of, and tells, the program that drives it: the window
// shows it in its progress panel and status bar and keeps the settings in its editor; the
// command line prints it and keeps the settings in a file.

#include <optional>

#include "image/config_image.h"

namespace q9tx {

// What a write takes from the pager's header before it builds the image. No chip in
// recovery mode, where the chip already chosen stands.
struct WriteFactoryValues {
    std::optional<int> pllChip;
    bool bs2Option = false;
    int filterStrength = 0;
    int preambleError = 0;
};

class TransferReport {
public:
    virtual ~TransferReport() = default;

    // The action under way: 1204 "Reading...", 1205 "Writing..." or 1206 "Verifying...".
    virtual void ShowAction(int status) = 0;
    virtual void AdvanceProgress(int step) = 0;
    // The map version of the connected pager, which the image read must carry.
    virtual int PagerMapVersion() const = 0;
    // Asked when the pager's header arrives.
    virtual bool RecoveryMode() const = 0;
    // The image to write around the pager's header, after taking the factory values. A
    // StatusError raised here ends the write with its status; nothing has been written.
    virtual ConfigImage WriteImage(const ImageHeader& header, const WriteFactoryValues& values) = 0;
    // The image read has passed its checks. A StatusError raised here ends the read with
    // its status.
    virtual void ReadCompleted(const ConfigImage& image) = 0;
    // All blocks arrived but the image failed its checks with this status; told before
    // TransferFailed, for a program that keeps such an image all the same.
    virtual void ReadRefused(const ConfigImage& image, int status)
    {
        static_cast<void>(image);
        static_cast<void>(status);
    }
    // The pager verified what was written.
    virtual void WriteCompleted() = 0;
    // The transfer failed with the status text of this number.
    virtual void TransferFailed(int status) = 0;
    // Last of every transfer, however it ended: it holds nothing any more.
    virtual void TransferEnded() = 0;
};

}  // namespace q9tx
