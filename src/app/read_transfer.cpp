// Reading the pager's configuration into the editor: the read machine fetches and checks
// the image, the window shows its progress and decodes the image.

#include "app/tform1.h"
#include "editor/status_texts.h"
#include "transfer/read_machine.h"

using namespace q9tx;

namespace {

// The pager's serial number as its image holds it: the digits, empty when there are none
// (an image that was never numbered at the factory).
QString PagerSerialNumber(const ConfigImage& image)
{
    QString digits;
    for (std::uint16_t i = kSerialNumberRegion.offset; i < kSerialNumberRegion.end(); ++i) {
        if (image[i] >= '0' && image[i] <= '9')
            digits += QLatin1Char(static_cast<char>(image[i]));
    }
    return digits;
}

}  // namespace

void TForm1::ReadFromPager1Click()
{
    if (operationRunning() || !MayDiscardEdits(QStringLiteral("reading the pager")))
        return;
    ReadTransferStep(0, nullptr);
}

void TForm1::ReadTransferStep(std::uint16_t code, const WindowMessage* block)
{
    if (code == 0 && !StartTransfer(*readMachine_))
        return;
    readMachine_->Step(code, block);
}

void TForm1::ReadCompleted(const ConfigImage& image)
{
    DecodeImage(image);
    // Replaces what the editor's rules left in the status bar while decoding.
    showStatus(StatusReadCompleted);
    SettingsKept(QString());
    NoteOutcome(QStringLiteral("read completed"));
    linkView_.serial = PagerSerialNumber(image);
}
