// Reading the pager's configuration into the editor: the read machine fetches and checks
// the image, the window shows its progress and decodes the image.

#include "app/tform1.h"
#include "editor/status_texts.h"
#include "transfer/read_machine.h"

using namespace q9tx;

void TForm1::ReadFromPager1Click() { ReadTransferStep(0, nullptr); }

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
}
