// The window as a view of settings: what collecting does with fields that hold no
// number, and that a load never stumbles over what the editor showed before it.

#include <QTest>

#include "conversion_support.h"
#include "editor/addresses_page.h"
#include "editor/settings_editor.h"
#include "editor/settings_view.h"
#include "find_control.h"
#include "image/settings_conversion.h"
#include "image/status_error.h"

using q9tx::CollectSettings;
using q9tx::UnreadableNumbers;

namespace {

struct Unreadable {
    const char* label;
    Settings edits;        // applied to a start-up editor
    const char* field;     // the field that holds no number
    const char* refusal;   // what collecting for a save throws; empty: nothing
};

// Folder 2 ticked (rows store publicly, so the folders are in use) and folder 3 not.
const Settings kFolders = {{"storage1", "1"}, {"folderEn1", "1"}, {"folderEn2", "1"}};

std::vector<Unreadable> UnreadableFields()
{
    const auto with = [](Settings edits) {
        Settings all = kFolders;
        all.insert(all.end(), edits.begin(), edits.end());
        return all;
    };
    return {
        {"size of a ticked folder", with({{"folderSize2", ""}}), "folderSize2", "'' is not a valid integer value"},
        {"size of an unticked folder", with({{"folderSize3", ""}}), "folderSize3", ""},
        {"pasted letters in an address", with({{"address4", "20040x6"}}), "address4",
         "'20040x6' is not a valid integer value"},
        {"tone of one digit", with({{"toneB", "G"}}), "toneB", "'G' is not a valid integer value"},
        {"hold time", with({{"displayHoldTime", ""}}), "displayHoldTime", "'' is not a valid integer value"},
    };
}

}  // namespace

class SettingsViewTest : public QObject {
    Q_OBJECT

private slots:
    void unreadableNumbers()
    {
        for (const Unreadable& test : UnreadableFields()) {
            TestWindow window;
            Apply(*window, test.edits);
            window->editor().addressesPage().StorageExit();
            QString thrown;
            try {
                CollectSettings(window->editor(), UnreadableNumbers::Refuse);
            } catch (const q9tx::ConversionError& error) {
                thrown = QString::fromUtf8(error.what());
            }
            QVERIFY2(thrown == QLatin1String(test.refusal), qPrintable(QLatin1String(test.label) + u' ' + thrown));
            // Values a load replaces read as the start-up ones, and the load goes through.
            const q9tx::PagerSettings lenient = CollectSettings(window->editor(), UnreadableNumbers::TakeStartUpValue);
            QCOMPARE(lenient.number(test.field), q9tx::DefaultSettings().number(test.field));
            TestWindow source;
            const q9tx::ConfigImage image = source->EncodeImage(std::nullopt);
            window.errors.clear();  // a capcode field reports a non-number as it is typed
            window->DecodeImage(image);
            QVERIFY2(window.errors.isEmpty(), qPrintable(window.errors.join(u'\n')));
            QVERIFY2(window->EncodeImage(std::nullopt) == image, test.label);
        }
    }

    // A drop-down that shows nothing after a load keeps the loaded value for the next
    // save; one the user then chooses from gives its choice.
    void listValuesBeyondTheItems()
    {
        TestWindow window;
        q9tx::PagerSettings settings = CollectSettings(window->editor(), UnreadableNumbers::Refuse);
        settings.setNumber("numReminders", 14);
        settings.setNumber("repeatedFilter", 3);
        q9tx::ShowSettings(window->editor(), settings);
        QCOMPARE(Control<QComboBox>(*window, QStringLiteral("numReminders"))->currentIndex(), -1);
        QCOMPARE(CollectSettings(window->editor(), UnreadableNumbers::Refuse), settings);
        Control<QComboBox>(*window, QStringLiteral("repeatedFilter"))->setCurrentIndex(1);
        settings.setNumber("repeatedFilter", 1);
        QCOMPARE(CollectSettings(window->editor(), UnreadableNumbers::Refuse), settings);
    }
};

QTEST_MAIN(SettingsViewTest)
#include "settings_view_test.moc"
