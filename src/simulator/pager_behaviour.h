#pragma once
// What the simulated pager answers to each frame it receives, with the faults tests
// can inject. No threads or I/O here: a frame goes in, timed replies come out.
//
// Session: the pager answers every frame until it receives I (sign-off); from then
// on it answers only N, which opens the session again.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "factory_image.h"

namespace q9tx::sim {

struct ReceivedFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
    bool operator==(const ReceivedFrame&) const = default;
};

// One frame (or raw bytes) to send, `delay` after the previous reply went out.
struct TimedReply {
    std::chrono::milliseconds delay{0};
    std::vector<std::uint8_t> bytes;
};

// Frame numbers count the good frames received since the faults were set, from 1.
struct PagerFaults {
    bool silent = false;                   // answers nothing
    unsigned dropReplyTo = 0;              // every reply caused by this frame is lost
    unsigned corruptReplyTo = 0;           // the first reply to this frame has a wrong CRC
    std::optional<unsigned> silentAfter;   // answers only this many frames
    std::chrono::milliseconds replyDelay{0};  // added before the first reply to each frame
    unsigned lateReplyTo = 0;              // the first reply to this frame also waits lateBy
    std::chrono::milliseconds lateBy{0};
    std::vector<std::uint8_t> noiseBeforeReply;  // sent in front of every reply...
    unsigned noisyReplyTo = 0;                   // ...or, when set, of this frame's replies only
    std::uint8_t verdict = 0;              // K or M instead of the verdict the check words give
};

// The identification record: model, map version, feature byte, unused, firmware number, version.
std::vector<std::uint8_t> IdentificationRecord(std::uint8_t model, std::uint8_t mapVersion, std::uint8_t feature,
                                               std::uint8_t firmwareNumber, std::uint8_t firmwareVersion);

class PagerBehaviour {
public:
    PagerBehaviour();

    // Records the frame and returns the replies, faults applied.
    std::vector<TimedReply> OnFrame(std::uint8_t command, const std::vector<std::uint8_t>& payload);

    // Any payload, so tests can send short or odd records too.
    void setIdentification(std::vector<std::uint8_t> record) { identification_ = std::move(record); }
    void setInformationText(const std::string& text);
    void setImage(const ImageBytes& image) { image_ = image; }
    const ImageBytes& image() const { return image_; }
    // Time between J and the verdict.
    void setVerifyTime(std::chrono::milliseconds time) { verifyTime_ = time; }
    // Makes every write fail with K instead of the checked L or M verdict.
    void setAnswerK(bool answerK) { answerK_ = answerK; }
    void setFaults(const PagerFaults& faults);
    // Another pager on the cable: this image, no faults, a session of its own.
    void connectNext(const ImageBytes& image);

    const std::vector<ReceivedFrame>& receivedFrames() const { return received_; }
    void clearReceivedFrames() { received_.clear(); }
    bool sessionOpen() const { return sessionOpen_; }

private:
    std::vector<TimedReply> answer(std::uint8_t command, const std::vector<std::uint8_t>& payload);
    void applyFaults(unsigned frameNumber, std::vector<TimedReply>& replies) const;

    std::vector<std::uint8_t> identification_;
    std::vector<std::uint8_t> informationText_;
    ImageBytes image_;
    std::chrono::milliseconds verifyTime_{300};
    bool answerK_ = false;
    PagerFaults faults_;
    unsigned framesSinceFaults_ = 0;
    bool sessionOpen_ = true;
    std::vector<ReceivedFrame> received_;
};

}  // namespace q9tx::sim
