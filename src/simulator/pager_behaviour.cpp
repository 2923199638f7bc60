#include "pager_behaviour.h"

#include <algorithm>

#include "link/frame.h"

namespace q9tx::sim {

namespace {

constexpr std::size_t kBlockSize = 32;
constexpr std::uint8_t kLastBlock = 15;

std::vector<std::uint8_t> Frame(std::uint8_t command, const std::uint8_t* payload = nullptr, std::size_t length = 0)
{
    static const std::uint8_t kNone = 0;
    FrameBuffer buffer{};
    const std::size_t size =
        BuildFrame(buffer, command, payload != nullptr ? payload : &kNone, static_cast<std::uint8_t>(length));
    return {buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(size)};
}

TimedReply Now(std::vector<std::uint8_t> frame) { return {std::chrono::milliseconds(0), std::move(frame)}; }

}  // namespace

std::vector<std::uint8_t> IdentificationRecord(std::uint8_t model, std::uint8_t mapVersion, std::uint8_t feature,
                                               std::uint8_t firmwareNumber, std::uint8_t firmwareVersion)
{
    return {model, mapVersion, feature, 0, firmwareNumber, firmwareVersion};
}

PagerBehaviour::PagerBehaviour() : identification_(IdentificationRecord(0x08, 0, 0, 7, 2)), image_(FactoryImage())
{
    setInformationText("Q9TX simulator");
}

void PagerBehaviour::setInformationText(const std::string& text)
{
    informationText_.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(std::min(text.size(), kMaxPayload)));
}

void PagerBehaviour::setFaults(const PagerFaults& faults)
{
    faults_ = faults;
    framesSinceFaults_ = 0;
}

void PagerBehaviour::connectNext(const ImageBytes& image)
{
    image_ = image;
    setFaults({});
    sessionOpen_ = true;
}

std::vector<TimedReply> PagerBehaviour::OnFrame(std::uint8_t command, const std::vector<std::uint8_t>& payload)
{
    received_.push_back({command, payload});
    std::vector<TimedReply> replies = answer(command, payload);
    applyFaults(++framesSinceFaults_, replies);
    return replies;
}

std::vector<TimedReply> PagerBehaviour::answer(std::uint8_t command, const std::vector<std::uint8_t>& payload)
{
    if (!sessionOpen_ && command != CmdPoll) {
        return {};
    }
    const std::uint8_t block = command & 0x0F;
    switch (command & 0xF0) {
    case CmdReadBlock:
        return {Now(Frame(command, image_.data() + block * kBlockSize, kBlockSize))};
    case CmdWriteBlock: {
        std::copy_n(payload.begin(), std::min(payload.size(), kBlockSize), image_.begin() + block * kBlockSize);
        std::vector<TimedReply> replies{Now(Frame(command))};
        if (block == kLastBlock) {
            replies.push_back(Now(Frame(CmdVerifying)));
            std::uint8_t verdict = CheckWordsValid(image_) ? CmdWriteCompleted : CmdWriteFailedM;
            if (answerK_) {
                verdict = CmdWriteFailedK;
            }
            if (faults_.verdict != 0) {
                verdict = faults_.verdict;
            }
            replies.push_back({verifyTime_, Frame(verdict)});
        }
        return replies;
    }
    default:
        break;
    }
    switch (command) {
    case CmdPoll:
        sessionOpen_ = true;
        return {Now(Frame(CmdPollAnswer))};
    case CmdIdentify:
        return {Now(Frame(CmdIdentify, identification_.data(), std::min(identification_.size(), kMaxPayload)))};
    case CmdInformationText:
        return {Now(Frame(CmdInformationText, informationText_.data(), informationText_.size()))};
    case CmdSignOff:
        sessionOpen_ = false;
        return {};
    default:
        return {};
    }
}

void PagerBehaviour::applyFaults(unsigned frameNumber, std::vector<TimedReply>& replies) const
{
    const bool silenced = faults_.silent || frameNumber == faults_.dropReplyTo ||
                          (faults_.silentAfter && frameNumber > *faults_.silentAfter);
    if (silenced) {
        replies.clear();
        return;
    }
    if (replies.empty()) {
        return;
    }
    if (frameNumber == faults_.corruptReplyTo) {
        replies.front().bytes.back() ^= 0x01;
    }
    replies.front().delay += faults_.replyDelay;
    if (frameNumber == faults_.lateReplyTo) {
        replies.front().delay += faults_.lateBy;
    }
    if (faults_.noisyReplyTo != 0 && frameNumber != faults_.noisyReplyTo) {
        return;
    }
    for (TimedReply& reply : replies) {
        reply.bytes.insert(reply.bytes.begin(), faults_.noiseBeforeReply.begin(), faults_.noiseBeforeReply.end());
    }
}

}  // namespace q9tx::sim
