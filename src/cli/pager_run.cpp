#include "cli/pager_run.h"

#include <algorithm>
#include <csignal>

#include <QDateTime>

#include "cli/backup_file.h"
#include "cli/file_advance.h"
#include "cli/identification_text.h"
#include "cli/journal.h"
#include "cli/result_json.h"
#include "cli/status_messages.h"
#include "image/image_validation.h"
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

// The journal's outcome of a pager whose capcodes are taken and whose blocks go out next.
constexpr char kWriteStarted[] = "Write started.";

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
    if (options_.command == RunOptions::Command::Write && !options_.journal.empty())
        written_ = JournalSerialNumbers(options_.journal, StatusMessage(StatusWriteCompleted));
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

void PagerRun::Stop(int signal)
{
    const bool transferring = read_.running() || write_.running();
    if (transferring && (!stopRequested_ || signal == SIGPIPE)) {
        if (!stopRequested_)
            Message("Stopping after this pager; interrupt again to stop at once.");
        stopRequested_ = true;
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
    refusedImage_.reset();
    corrupted_ = false;
    refusal_.reset();
    advanceProblems_.clear();
    reservationFailure_.clear();
    reservationStatus_ = 1;
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
    // A pager read first keeps its own serial number, so that it is known again when it
    // comes back, instead of taking the file's as every other pager would.
    if (readImage_) {
        const auto serial = readImage_->begin() + kSerialNumberRegion.offset;
        std::copy(serial, serial + kSerialNumberRegion.size, image.begin() + kSerialNumberRegion.offset);
        StoreCheckWord2(image);
    }
    // What goes to this pager, whether or not it gets there whole.
    const ImageFacts written = FactsOf(image);
    facts_.capcodes = written.capcodes;
    facts_.frequency = written.frequency;
    if (!TakeCapcodes())
        throw StatusError(StatusCannotWrite);
    return image;
}

bool PagerRun::TakeCapcodes()
{
    if (options_.advance) {
        const AddressAdvance advance = AdvanceAddresses(settings_, options_.steps);
        advanceProblems_ = advance.problems;
        try {
            fileImage_ = WithAdvancedAddresses(fileImage_, settings_, advance.advancedSlots);
            WriteSettingsFile(options_.file, fileImage_);
        } catch (const StatusError& error) {
            reservationFailure_ = PrintableText(options_.file) + ": " + StatusMessage(error.number()) +
                                  " The next capcodes could not be kept; nothing was written to the pager.";
            return false;
        }
    }
    const std::string failure =
        Journal(Entry(corrupted_ ? std::string(kWriteStarted) + " Its earlier image was corrupted." : kWriteStarted));
    if (failure.empty())
        return true;
    reservationFailure_ = failure + " Nothing was written to the pager.";
    reservationStatus_ = kJournalFailed;
    return false;
}

void PagerRun::ReadCompleted(const ConfigImage& image)
{
    readImage_ = image;
    transferSucceeded_ = true;
}

void PagerRun::ReadRefused(const ConfigImage& image, int status)
{
    if (status == StatusContentCorrupted)
        refusedImage_ = image;
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
    // A pager left half-written by an earlier write is written again; its image is kept
    // as it was, under a name that says so.
    if (!transferSucceeded_ && refusedImage_) {
        readImage_ = refusedImage_;
        corrupted_ = true;
        Message(StatusMessage(StatusContentCorrupted) + " The pager is written all the same.");
    } else if (!transferSucceeded_) {
        FinishPager(false, StatusMessage(failureStatus_));
        return;
    }
    facts_.serialNumber = FactsOf(*readImage_).serialNumber;
    if (RefuseRepeat())
        return;
    // Without its backup the pager is not written.
    if (KeepBackup())
        StartWrite();
}

bool PagerRun::RefuseRepeat()
{
    if (options_.allowRepeat || facts_.serialNumber.empty() || !written_.contains(facts_.serialNumber))
        return false;
    const std::string refusal = "Pager " + facts_.serialNumber +
                                " has been written already; it is not written again (--allow-repeat would).";
    if (!options_.wait) {
        Fatal(refusal);
        return true;
    }
    WaitForRemoval(refusal + " Remove it; then connect the next one.");
    return true;
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
    const KeptBackup kept = WriteBackup(options_.backupDir, facts_.serialNumber, QDateTime::currentDateTimeUtc(),
                                        *readImage_, corrupted_ ? "-corrupted" : "");
    if (kept.path.empty()) {
        FinishPager(false, "The backup could not be written: " + kept.failure + ".");
        return false;
    }
    Message("Kept the pager's image as " + PrintableText(kept.path) + ".");
    return true;
}

void PagerRun::AfterWrite()
{
    if (!reservationFailure_.empty()) {
        ++failed_;
        Fatal(reservationFailure_, reservationStatus_);
        return;
    }
    if (!transferSucceeded_) {
        // The capcodes stay taken: the journal's line tells of the gap.
        FinishPager(false, refusal_ ? Describe(*refusal_) : StatusMessage(failureStatus_));
        return;
    }
    if (!facts_.serialNumber.empty())
        written_.insert(facts_.serialNumber);
    FinishPager(true, StatusMessage(StatusWriteCompleted));
    if (!advanceProblems_.empty() && !fatal_) {
        std::string problems;
        for (const SettingProblem& problem : advanceProblems_)
            problems += (problems.empty() ? "" : "; ") + Describe(problem);
        Fatal(problems + " Nothing more is written; correct " + PrintableText(options_.file) + " first.");
    }
}

void PagerRun::FinishPager(bool success, const std::string& outcome, bool pagerGone)
{
    lastEntry_ = Entry(outcome);
    // On the disk before the pager is reported done.
    const std::string journalFailure = Journal(lastEntry_);
    progress_.Message(outcome);
    ++(success ? succeeded_ : failed_);
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
    if (!journalFailure.empty()) {
        Fatal(journalFailure, kJournalFailed);
        return;
    }
    if (!options_.wait) {
        Quit(success ? 0 : 1);
        return;
    }
    if (stopRequested_) {
        EndFleet();
        return;
    }
    // With --wait a failed pager does not end the run; its line and entry tell of it.
    if (pagerGone) {
        phase_ = Phase::WaitingForPager;
        Message("Waiting for the next pager...");
        return;
    }
    WaitForRemoval("Remove the pager; then connect the next one.");
}

void PagerRun::WaitForRemoval(const std::string& message)
{
    phase_ = Phase::WaitingForRemoval;
    host_.WatchForRemoval();
    Message(message);
}

JournalEntry PagerRun::Entry(const std::string& outcome) const
{
    JournalEntry entry;
    entry.time = NowText();
    entry.port = host_.portName();
    entry.firmware = firmware_;
    entry.serialNumber = facts_.serialNumber;
    entry.capcodes = facts_.capcodes;
    entry.frequency = facts_.frequency;
    entry.outcome = outcome;
    return entry;
}

std::string PagerRun::Journal(const JournalEntry& entry)
{
    if (options_.journal.empty())
        return {};
    const std::string failure = AppendToJournal(options_.journal, JournalLine(entry));
    return failure.empty() ? failure
                           : "Cannot add to the journal " + PrintableText(options_.journal) + ": " + failure + ".";
}

void PagerRun::EndFleet()
{
    Message(std::to_string(succeeded_ + failed_) + (succeeded_ + failed_ == 1 ? " pager, " : " pagers, ") +
            std::to_string(failed_) + " failed.");
    Quit(failed_ > 0 ? 1 : 0);
}

void PagerRun::Message(const std::string& line) { progress_.Message(line); }

void PagerRun::Fatal(const std::string& line, int status)
{
    fatal_ = true;
    Message(line);
    Quit(status);
}

void PagerRun::Quit(int status)
{
    phase_ = Phase::WaitingForRemoval;
    loop_.exit(status);
}

}  // namespace q9tx::cli
