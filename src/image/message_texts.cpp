#include "image/message_texts.h"

#include "image/image_validation.h"

namespace q9tx {

namespace {

struct Message {
    int number;
    const char* text;
};

constexpr Message kMessages[] = {
    {kStatusPagerUnsupported, "Pager unsupported."},
    {kStatusFileNotRead, "File could not be read."},
    {kStatusFileCorrupted, "File corrupted."},
    {kStatusFileNotWritten, "File could not be written."},
    {kStatusContentMismatch, "The content doesn't match the pager firmware."},
    {kStatusContentCorrupted, "The content is corrupted."},
    {kStatusCapcodeUsed, "The capcode has been used."},
    {kStatusIllegalCapcode, "Illegal capcode."},
    {kStatusIllegalValue, "Illegal value."},
    {kStatusIllegalFrequency, "Illegal frequency."},
    {kStatusEnterNumber, "Please enter a number."},
};

}  // namespace

std::string MessageText(int number)
{
    for (const Message& message : kMessages) {
        if (message.number == number) {
            return message.text;
        }
    }
    return {};
}

}  // namespace q9tx
