#include "cli/pager_run.h"

#include <QDateTime>
#include <QDir>

#include "cli/backup_names.h"
#include "cli/file_advance.h"
#include "cli/identification_text.h"
#include "cli/journal.h"
#include "cli/result_json.h"
#include "cli/status_messages.h"
#include "image/printable_text.h"
#include "image/setting_table.h"
#include "image/settings_conversion.h"
#include "image/settings_file_io.h"
#include "image/status_error.h"
#include "image/status_texts.h"
#include "link/frame.h"
#include "link/port_problem_text.h"
#include "link/posix/device_group.h"
#include "transfer/settings_advance.h"

namespace q9tx::cli {
namespace {

std::string NowText() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString(); }

// As q9tx check names a refused setting.
std::string Describe(const SettingProblem& problem)
{
    const SettingDefinition* setting = FindSetting(problem.name);
    return (setting ? setting->label() + " (" + problem.name + ")" : problem.name) + ": " + problem.message;
}

}  // namespace

PagerRun::PagerRun(RunOptions options, const ConfigImage& file, PagerSettings settings, ProgressDisplay& progress,
                   std::FILE* lines)
    : options_(std::move(options)),
      fileImage_(file),
      settings_(std::move(settings)),
      progress_(progress),
      lines_(lines),
      host_(options_.ports, [this](const WindowMessage& message) { OnMessage(message); }),
      read_(host_.link(), *this),
      write_(host_.link(), *this)
{
    read_.limits = options_.limits;
    write_.limits = options_.limits;
    connectTimer_.setSingleShot(true);
    QObject::connect(&connectTimer_, &QTimer::timeout, &connectTimer_, [this] {
        if (phase_ != Phase::WaitingForPager)
            return;
        const std::string ports = host_.portList();
        Fatal(ports.empty() ? "No adapter port found. Connect the programming cable, or name its port with --port."
                            : "No pager answered on " + ports + ".");
    });
}

PagerRun::~PagerRun() = default;

int PagerRun::Exec()
{
    host_.Start();
    if (!options_.wait)
        connectTimer_.start(options_.connectLimit);
    else
        Message("Waiting for a pager...");
    return loop_.exec();
}

void PagerRun::Stop()
{
    const bool transferring = read_.running() || write_.running();
    if (transferring && !stopRequested_) {
        stopRequested_ = true;
        Message("Stopping after this pager; interrupt again to stop at once.");
        return;
    }
    if (transferring) {
        abandoning_ = true;
        read_.Abandon();
        write_.Abandon();
        abandoning_ = false;
        FinishPager(false, "Interrupted.");
        return;
    }
    // Between pagers a fleet run ends as it should; a single run has not done its work.
    if (options_.wait && phase_ != Phase::WaitingForInformation)
        EndFleet();
    else
        Fatal("Interrupted.");
}

void PagerRun::OnMessage(const WindowMessage& message)
{
    // What the window's general error box would show ends the run with the reason.
    try {
        Dispatch(message);
    } catch (const std::exception& error) {
        Fatal(error.what());
    }
}

void PagerRun::Dispatch(const WindowMessage& message)
{
    switch (message.message) {
    case WM_PAGER_LINK:
        OnPagerLink(message);
        break;
    case WM_PAGER_BLOCK:
        // As in the window: block data belongs to the write while one runs.
        if (write_.running())
            write_.Step(WriteMachine::kHeaderArrived, &message);
        else
            read_.Step(static_cast<std::uint16_t>(message.code), &message);
        break;
    case WM_PAGER_ACK:
        write_.Step(static_cast<std::uint16_t>(message.code), nullptr);
        break;
    case WM_PAGER_PORT_PROBLEM: {
        const std::string port = PayloadText(message);
        Message(PortProblemText(static_cast<OpenFailure>(message.code), port, DeviceGroupName(port)));
        break;
    }
    default:
        break;
    }
}

void PagerRun::OnPagerLink(const WindowMessage& message)
{
    switch (message.code) {
    case LinkPagerSupported:
    case LinkMapVersionTooNew:
    case LinkPagerUnsupported:
        // A pager identified again (after a device change) is the same pager.
        if (phase_ == Phase::WaitingForPager)
            OnIdentified(message);
        break;
    case LinkInformationText:
        if (phase_ == Phase::WaitingForInformation) {
            if (const std::string text = PayloadText(message); !text.empty())
                Message("Information: " + PrintableLatin1(text));
            BeginPager();
        }
        break;
    case LinkPagerLost:
        switch (phase_) {
        case Phase::WaitingForPager:
            break;
        case Phase::WaitingForRemoval:
            phase_ = Phase::WaitingForPager;
            Message("Waiting for the next pager...");
            break;
        default:
            abandoning_ = true;
            read_.Abandon();
            write_.Abandon();
            abandoning_ = false;
            FinishPager(false, StatusMessage(StatusPagerDisconnected), true);
            break;
        }
        break;
    default:
        break;
    }
}

void PagerRun::OnIdentified(const WindowMessage& reply)
{
    connectTimer_.stop();
    firmware_ = FirmwareText(reply);
    facts_ = {};
    readImage_.reset();
    refusal_.reset();
    const bool full = reply.payloadLength() >= kIdentificationLength;
    mapVersion_ = full ? reply.payload(1) : 0;
    escalatingAlertsShown_ = full && (reply.payload(1) != 0 || reply.payload(2) != 0);
    Message("Pager on " + PrintableText(host_.portName()) + (firmware_.empty() ? "" : ", firmware " + firmware_) + ".");
    // As the window does, the information text is asked for with a full identification.
    if (full && reply.code != LinkPagerUnsupported)
        host_.link().SendFrame(CmdInformationText, nullptr, 0);
    if (reply.code != LinkPagerSupported) {
        FinishPager(false, StatusMessage(reply.code == LinkMapVersionTooNew ? StatusFirmwareTooNew
                                                                              : StatusPagerUnsupported));
        return;
    }
    if (full) {
        phase_ = Phase::WaitingForInformation;
        return;
    }
    BeginPager();
}

void PagerRun::BeginPager()
{
    if (options_.command == RunOptions::Command::Read)
        StartRead(Phase::Reading);
    else if (!options_.backupDir.empty() || !options_.journal.empty())
        // The pager's serial number and its image as they were, before it is written.
        StartRead(Phase::BackupRead);
    else
        StartWrite();
}

void PagerRun::StartRead(Phase phase)
{
    phase_ = phase;
    progress_.Restart();
    transferSucceeded_ = false;
    failureStatus_ = 0;
    read_.Step(0, nullptr);
}

void PagerRun::StartWrite()
{
    phase_ = Phase::Writing;
    progress_.Restart();
    transferSucceeded_ = false;
    failureStatus_ = 0;
    write_.Step(0, nullptr);
}

void PagerRun::ShowAction(int status) { progress_.Action(StatusMessage(status)); }

void PagerRun::AdvanceProgress(int step) { progress_.Advance(step); }

ConfigImage PagerRun::WriteImage(const ImageHeader& header, const WriteFactoryValues& values)
{
    // Kept, as the window's editor keeps them, for every later pager.
    if (values.pllChip)
        settings_.setNumber("pllChip", *values.pllChip);
    settings_.setChecked("bs2Option", values.bs2Option);
    settings_.setNumber("filterStrength", values.filterStrength);
    settings_.setNumber("preambleError", values.preambleError);
    ConfigImage image{};
    try {
        image = EncodeSettings(settings_, header, escalatingAlertsShown_);
    } catch (const SettingsRefused& refused) {
        // The frequency of the file cannot be set on this pager's chip.
        refusal_ = refused.problem();
        throw StatusError(StatusCannotWrite);
    }
    // What goes to this pager, whether or not it gets there whole.
    const ImageFacts written = FactsOf(image);
    facts_.capcodes = written.capcodes;
    facts_.frequency = written.frequency;
    return image;
}

void PagerRun::ReadCompleted(const ConfigImage& image)
{
    readImage_ = image;
    transferSucceeded_ = true;
}

void PagerRun::WriteCompleted() { transferSucceeded_ = true; }

void PagerRun::TransferFailed(int status) { failureStatus_ = status; }

void PagerRun::TransferEnded()
{
    if (!abandoning_)
        AfterTransfer();
}

void PagerRun::AfterTransfer()
{
    switch (phase_) {
    case Phase::Reading:
        AfterRead();
        break;
    case Phase::BackupRead:
        AfterBackupRead();
        break;
    case Phase::Writing:
        AfterWrite();
        break;
    default:
        break;
    }
}

void PagerRun::AfterRead()
{
    if (!transferSucceeded_) {
        FinishPager(false, StatusMessage(failureStatus_));
        return;
    }
    facts_ = FactsOf(*readImage_);
    if (!options_.file.empty() && !SaveReadImage(options_.file))
        return;
    if (KeepBackup())
        FinishPager(true, StatusMessage(StatusReadCompleted));
}

void PagerRun::AfterBackupRead()
{
    if (!transferSucceeded_) {
        FinishPager(false, StatusMessage(failureStatus_));
        return;
    }
    facts_.serialNumber = FactsOf(*readImage_).serialNumber;
    // Without its backup the pager is not written.
    if (KeepBackup())
        StartWrite();
}

bool PagerRun::SaveReadImage(const std::string& path)
{
    try {
        WriteSettingsFile(path, *readImage_);
    } catch (const StatusError& error) {
        FinishPager(false, PrintableText(path) + ": " + StatusMessage(error.number()));
        return false;
    }
    return true;
}

bool PagerRun::KeepBackup()
{
    if (options_.backupDir.empty())
        return true;
    const std::string path = FreeBackupPath(QString::fromStdString(options_.backupDir), facts_.serialNumber,
                                            QDateTime::currentDateTimeUtc())
                                 .toStdString();
    if (!SaveReadImage(path))
        return false;
    Message("Kept the pager's image as " + PrintableText(path) + ".");
    return true;
}

void PagerRun::AfterWrite()
{
    if (!transferSucceeded_) {
        FinishPager(false, refusal_ ? Describe(*refusal_) : StatusMessage(failureStatus_));
        return;
    }
    if (!options_.advance) {
        FinishPager(true, StatusMessage(StatusWriteCompleted));
        return;
    }
    // The next pager's capcodes are in the file before anything else is done, so that a
    // crash cannot give two pagers the same ones.
    const AddressAdvance advance = AdvanceAddresses(settings_, options_.steps);
    try {
        fileImage_ = WithAdvancedAddresses(fileImage_, settings_, advance.advancedSlots);
        WriteSettingsFile(options_.file, fileImage_);
    } catch (const StatusError& error) {
        FinishPager(true, StatusMessage(StatusWriteCompleted));
        Fatal(PrintableText(options_.file) + ": " + StatusMessage(error.number()) +
              " The next capcodes were not kept.");
        return;
    }
    FinishPager(true, StatusMessage(StatusWriteCompleted));
    if (!advance.problems.empty() && !fatal_) {
        std::string problems;
        for (const SettingProblem& problem : advance.problems)
            problems += (problems.empty() ? "" : "; ") + Describe(problem);
        Fatal(problems + " Nothing more is written; correct " + PrintableText(options_.file) + " first.");
    }
}

void PagerRun::FinishPager(bool success, const std::string& outcome, bool pagerGone)
{
    progress_.Message(outcome);
    ++(success ? succeeded_ : failed_);
    lastEntry_.time = NowText();
    lastEntry_.port = host_.portName();
    lastEntry_.firmware = firmware_;
    lastEntry_.serialNumber = facts_.serialNumber;
    lastEntry_.capcodes = facts_.capcodes;
    lastEntry_.frequency = facts_.frequency;
    lastEntry_.outcome = outcome;
    if (options_.json && lines_) {
        std::fprintf(lines_, "%s\n", EntryJson(lastEntry_, success).c_str());
        std::fflush(lines_);
    } else if (options_.wait && lines_) {
        std::string line = PrintableText(host_.portName()) + ": " + outcome;
        if (!firmware_.empty())
            line += " Firmware " + firmware_ + ".";
        if (!facts_.serialNumber.empty())
            line += " Serial number " + PrintableLatin1(facts_.serialNumber) + ".";
        std::fprintf(lines_, "%s\n", line.c_str());
        std::fflush(lines_);
    }
    if (!Journal(lastEntry_))
        return;
    if (!options_.wait) {
        Quit(success ? 0 : 1);
        return;
    }
    if (stopRequested_) {
        EndFleet();
        return;
    }
    // With --wait a failed pager does not end the run; its line and entry tell of it.
    phase_ = pagerGone ? Phase::WaitingForPager : Phase::WaitingForRemoval;
    Message(pagerGone ? "Waiting for the next pager..." : "Remove the pager; then connect the next one.");
}

bool PagerRun::Journal(const JournalEntry& entry)
{
    if (options_.journal.empty())
        return true;
    const std::string failure = AppendToJournal(options_.journal, JournalLine(entry));
    if (failure.empty())
        return true;
    Fatal("Cannot add to the journal " + PrintableText(options_.journal) + ": " + failure + ".");
    return false;
}

void PagerRun::EndFleet()
{
    Message(std::to_string(succeeded_ + failed_) + (succeeded_ + failed_ == 1 ? " pager, " : " pagers, ") +
            std::to_string(failed_) + " failed.");
    Quit(failed_ > 0 ? 1 : 0);
}

void PagerRun::Message(const std::string& line) { progress_.Message(line); }

void PagerRun::Fatal(const std::string& line)
{
    fatal_ = true;
    Message(line);
    Quit(1);
}

void PagerRun::Quit(int status)
{
    phase_ = Phase::WaitingForRemoval;
    loop_.exit(status);
}

}  // namespace q9tx::cli
