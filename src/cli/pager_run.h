#pragma once
// One run of `q9tx read` or `q9tx write`: waits for a pager on the link, reads or writes
// it with the same machines and frames as the window, keeps the file, the backup and the
// journal, and with --wait goes on with the next pager until it is stopped.

#include <cstdio>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include "cli/image_facts.h"
#include "cli/journal.h"
#include "cli/pager_host.h"
#include "cli/progress_display.h"
#include "cli/run_options.h"
#include "image/pager_settings.h"
#include "image/settings_validation.h"
#include "transfer/read_machine.h"
#include "transfer/write_machine.h"

namespace q9tx::cli {

class PagerRun final : private TransferReport {
public:
    // A write programs `settings`, loaded from the image `file`.
    PagerRun(RunOptions options, const ConfigImage& file, PagerSettings settings, ProgressDisplay& progress,
             std::FILE* lines);
    ~PagerRun() override;

    // Runs until the pager is done (or, with --wait, until stopped); the exit status.
    int Exec();
    // A stop signal: stops while waiting; during a transfer, after this pager, or at once
    // when asked a second time. SIGPIPE only ever asks for the first: a closed output
    // raises it again with every later line.
    void Stop(int signal);

    // The exit status of a run whose journal could not be written.
    static constexpr int kJournalFailed = 3;

    // The image of the last read, and what the journal got (or would get) for the last pager.
    const std::optional<ConfigImage>& readImage() const { return readImage_; }
    const JournalEntry& lastEntry() const { return lastEntry_; }

private:
    enum class Phase { WaitingForPager, WaitingForInformation, BackupRead, Reading, Writing, WaitingForRemoval };

    void OnMessage(const WindowMessage& message);
    void Dispatch(const WindowMessage& message);
    void OnPagerLink(const WindowMessage& message);
    void OnIdentified(const WindowMessage& reply);
    void BeginPager();
    void StartRead(Phase phase);
    void StartWrite();
    void AfterTransfer();
    void AfterRead();
    void AfterBackupRead();
    // Refuses a pager written already (unless --allow-repeat); true when it was refused.
    bool RefuseRepeat();
    // Before the first block goes out: the template counted on and the journal's line, both
    // on the disk, so that whatever ends the run no later pager gets these capcodes. False
    // with `reservationFailure_` set when either cannot be written.
    bool TakeCapcodes();
    // Each ends this pager with the reason when the file cannot be written.
    bool SaveReadImage(const std::string& path);
    bool KeepBackup();
    void WaitForRemoval(const std::string& message);
    void AfterWrite();
    // Ends the pager's turn: its line, its journal entry, then the next pager or the end.
    void FinishPager(bool success, const std::string& outcome, bool pagerGone = false);
    // A fleet run's summary and its status: 1 when a pager failed.
    void EndFleet();
    void Quit(int status);
    // What the journal gets for this pager with that outcome.
    JournalEntry Entry(const std::string& outcome) const;
    // Adds the entry's line; the reason it could not be added, or an empty string.
    std::string Journal(const JournalEntry& entry);
    void Message(const std::string& line);
    void Fatal(const std::string& line, int status = 1);

    // TransferReport.
    void ShowAction(int status) override;
    void AdvanceProgress(int step) override;
    int PagerMapVersion() const override { return mapVersion_; }
    bool RecoveryMode() const override { return options_.recovery; }
    ConfigImage WriteImage(const ImageHeader& header, const WriteFactoryValues& values) override;
    void ReadCompleted(const ConfigImage& image) override;
    void ReadRefused(const ConfigImage& image, int status) override;
    void WriteCompleted() override;
    void TransferFailed(int status) override;
    void TransferEnded() override;

    RunOptions options_;
    ConfigImage fileImage_;
    // What is written; it keeps the factory values taken from each pager, as the editor does.
    PagerSettings settings_;
    ProgressDisplay& progress_;
    std::FILE* lines_;
    PagerHost host_;
    ReadMachine read_;
    WriteMachine write_;
    QEventLoop loop_;
    QTimer connectTimer_;
    bool stopRequested_ = false;
    bool fatal_ = false;
    int succeeded_ = 0;
    int failed_ = 0;
    // Serial numbers written this run and, before it, by the journal's completed lines.
    std::set<std::string> written_;

    Phase phase_ = Phase::WaitingForPager;
    // Of the pager under way.
    std::string firmware_;
    int mapVersion_ = 0;
    bool escalatingAlertsShown_ = false;
    ImageFacts facts_;
    std::optional<ConfigImage> readImage_;
    // What a read got when the image failed its checks.
    std::optional<ConfigImage> refusedImage_;
    // The read before the write found a corrupted image.
    bool corrupted_ = false;
    std::vector<SettingProblem> advanceProblems_;
    std::string reservationFailure_;
    int reservationStatus_ = 1;
    bool transferSucceeded_ = false;
    int failureStatus_ = 0;
    std::optional<SettingProblem> refusal_;
    bool abandoning_ = false;
    JournalEntry lastEntry_;
};

}  // namespace q9tx::cli
