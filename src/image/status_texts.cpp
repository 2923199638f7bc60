#include "image/status_texts.h"

namespace q9tx {
namespace {

struct NumberedText {
    int number;
    std::string_view text;
};

constexpr NumberedText kStatusTexts[] = {
    {StatusPagerConnected, "Pager connected."},
    {StatusPagerDisconnected, "Pager disconnected."},
    {StatusFirmwareTooNew, "Pager firmware too new. Please obtain a new version of this software."},
    {StatusPagerUnsupported, "Pager unsupported."},
    {StatusLoading, "Loading..."},
    {StatusLoadedFrom, "Loaded data from %s."},
    {StatusSaving, "Saving..."},
    {StatusSavedTo, "Saved data to %s."},
    {StatusReading, "Reading..."},
    {StatusWriting, "Writing..."},
    {StatusVerifying, "Verifying..."},
    {StatusReadCompleted, "Read completed."},
    {StatusCannotRead, "Cannot read. Please try again."},
    {StatusWriteCompleted, "Write completed."},
    {StatusCannotWrite, "Cannot write. Please try again."},
    {StatusFileNotRead, "File could not be read."},
    {StatusFileCorrupted, "File corrupted."},
    {StatusFileNotWritten, "File could not be written."},
    {StatusOutOfMemory, "Out of memory."},
    {StatusContentMismatch, "The content doesn't match the pager firmware."},
    {StatusContentCorrupted, "The content is corrupted."},
    {StatusCapcodeUsed, "The capcode has been used."},
    {StatusIllegalCapcode, "Illegal capcode."},
    {StatusIllegalValue, "Illegal value."},
    {StatusIllegalFrequency, "Illegal frequency."},
    {StatusEnterNumber, "Please enter a number."},
};

}  // namespace

std::string_view StatusTextOf(int number)
{
    for (const NumberedText& entry : kStatusTexts) {
        if (entry.number == number)
            return entry.text;
    }
    return {};
}

}  // namespace q9tx
