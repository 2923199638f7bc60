// Writing the editor's settings to the pager: the write machine sends the image and
// waits for the verdict; the window builds the image around the pager's header, shows
// the progress and counts the addresses up after a completed write.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/status_texts.h"
#include "app/tform1.h"
#include "editor/field_marks.h"
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
    TakeFactoryValues(values);
    try {
        return EncodeImage(header);
    } catch (const StatusError& error) {
        // The pager's chip cannot take the editor's frequency: the field says so too.
        if (error.number() == StatusIllegalFrequency)
            setRefused(frequency, true);
        throw;
    }
}

void TForm1::WriteCompleted()
{
    AdvanceAddresses();
    showStatus(StatusWriteCompleted);
    // The pager holds the settings now; the addresses counted up are the next pager's.
    SettingsKept(windowFilePath());
    NoteOutcome(QStringLiteral("write completed"));
}

void TForm1::TakeFactoryValues(const WriteFactoryValues& values)
{
    if (values.pllChip)
        pllChip->setCurrentIndex(*values.pllChip);
    bs2Option->setChecked(values.bs2Option);
    filterStrength->setCurrentIndex(values.filterStrength);
    preambleError->setCurrentIndex(values.preambleError);
}
