#pragma once
// A report that records what a machine tells it as short lines, and messages as the link
// posts them.

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "factory_image.h"
#include "fake_link.h"
#include "image/config_image.h"
#include "link/link_messages.h"
#include "transfer/transfer_report.h"

namespace q9tx::testing {

inline ConfigImage PagerImage()
{
    const sim::ImageBytes bytes = sim::FactoryImage();
    ConfigImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

// The reply to a block request: length byte, then `length` bytes of the block (the
// length byte may claim more than follows).
inline WindowMessage BlockReply(const ConfigImage& image, int block, int length = int(kBlockSize))
{
    const std::size_t count = std::size_t(std::clamp(length, 0, int(kBlockSize)));
    std::vector<std::uint8_t> frame{std::uint8_t(length)};
    frame.insert(frame.end(), image.begin() + block * int(kBlockSize),
                 image.begin() + block * int(kBlockSize) + std::ptrdiff_t(count));
    return WindowMessage{WM_PAGER_BLOCK, std::uint32_t(block + 1), 0, std::move(frame)};
}

struct RecordingReport : TransferReport {
    void ShowAction(int status) override { events.push_back("action " + std::to_string(status)); }
    void AdvanceProgress(int step) override
    {
        progress += step;
        if (onProgress)
            onProgress();
    }
    int PagerMapVersion() const override { return mapVersion; }
    bool RecoveryMode() const override { return recovery; }
    ConfigImage WriteImage(const ImageHeader& header, const WriteFactoryValues& values) override
    {
        taken = values;
        events.push_back("image");
        if (onWriteImage)
            onWriteImage();
        ConfigImage built = toWrite;
        PutHeader(built, header);
        return built;
    }
    void ReadCompleted(const ConfigImage& image) override
    {
        read = image;
        events.push_back("read completed");
        if (onReadCompleted)
            onReadCompleted();
    }
    void WriteCompleted() override { events.push_back("write completed"); }
    void TransferFailed(int status) override { events.push_back("failed " + std::to_string(status)); }
    void TransferEnded() override { events.push_back("ended"); }

    // The last event, or empty.
    std::string last() const { return events.empty() ? std::string() : events.back(); }

    int mapVersion = 0;
    bool recovery = false;
    ConfigImage toWrite{};
    std::function<void()> onWriteImage;  // may throw
    std::function<void()> onReadCompleted;  // may throw
    std::function<void()> onProgress;
    std::vector<std::string> events;
    int progress = 0;
    ConfigImage read{};
    WriteFactoryValues taken;
};

inline std::vector<int> Commands(const std::vector<SentFrame>& frames)
{
    std::vector<int> commands;
    for (const SentFrame& frame : frames)
        commands.push_back(frame.command);
    return commands;
}

inline std::vector<int> Range(int first, int last)
{
    std::vector<int> values;
    for (int value = first; value <= last; ++value)
        values.push_back(value);
    return values;
}

// Runs the event loop until `done` holds or `limitMs` passes; a generous bound against hangs.
template <typename Done>
bool WaitFor(Done done, int limitMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

// A test name from a case's description: letters and digits, the rest as underscores.
inline std::string CaseName(std::string name)
{
    std::replace_if(name.begin(), name.end(), [](unsigned char ch) { return !std::isalnum(ch); }, '_');
    return name;
}

}  // namespace q9tx::testing
