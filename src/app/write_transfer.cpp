// Writing the editor's settings to the pager: the write machine sends the image and
// waits for the verdict; the window builds the image around the pager's header, shows
// the progress and counts the addresses up after a completed write.

#include "app/tform1.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "transfer/write_machine.h"

using namespace q9tx;

void TForm1::WriteToPager1Click()
{
    if (operationRunning())
        return;
    if (!ValidateSettings()) {
        ShowSettingsRefusal();
        return;
    }
    WriteTransferStep(0, nullptr);
}

void TForm1::WriteTransferStep(std::uint16_t code, const WindowMessage* block)
{
    if (code == 0) {
        if (!StartTransfer(*writeMachine_))
            return;
        writeInProgress = true;
    }
    writeMachine_->Step(code, block);
}

ConfigImage TForm1::WriteImage(const ImageHeader& header, const WriteFactoryValues& values)
{
    editor_->TakeFactoryValues(values);
    try {
        return EncodeImage(header);
    } catch (const StatusError& error) {
        // The pager's chip cannot take the editor's frequency: the field says so too.
        if (error.number() == StatusIllegalFrequency)
            editor_->RefuseFrequency();
        throw;
    }
}

void TForm1::WriteCompleted()
{
    editor_->AdvanceAddresses();
    showStatus(StatusWriteCompleted);
    // The pager holds the settings now; the addresses counted up are the next pager's.
    SettingsKept(windowFilePath());
    NoteOutcome(QStringLiteral("write completed"));
}
