// The settings model against the window: the start-up values are the same; for
// thousands of generated images that the window can show whole, loading into the window
// and into settings gives the same values and the same image (or the same refusal); and
// each setting edited with typed and pasted values through the window's keys and focus
// and through the model's rules ends in the same settings, marks and message (a passcode,
// whose exit rule only clears a refusal, as the check before a save judges it).

#include <cstring>
#include <random>

#include <QAction>
#include <QHash>
#include <QLocale>

#include <QTest>

#include "conversion_support.h"
#include "editor/field_marks.h"
#include "editor/frequency_field_text.h"
#include "editor/settings_editor.h"
#include "editor/settings_view.h"
#include "find_control.h"
#include "image/capcode.h"
#include "image/rf_word.h"
#include "image/setting_table.h"
#include "image/setting_text.h"
#include "image/settings_conversion.h"
#include "image/settings_edit.h"
#include "image/settings_validation.h"
#include "image/status_error.h"
#include "image/text_conversion.h"
#include "message_general_rules/window_driver.h"

using q9tx::ConfigImage;
using q9tx::PagerSettings;
using q9tx::SettingDefinition;
using q9tx::SettingKind;

namespace {

constexpr std::uint32_t kSeed = 1208;
constexpr int kImageCount = 2000;

// A drop-down that shows nothing keeps the value beyond its items here.
constexpr char kStoredValueProperty[] = "storedValue";

// The controls of a window by name, found once: the walk through the window's children
// is what a search by name costs.
class WindowControls {
public:
    explicit WindowControls(const TForm1& window)
    {
        for (QWidget* control : window.findChildren<QWidget*>())
            byName_.insert(control->objectName(), control);
    }
    template <typename Control>
    Control* get(const std::string& name) const
    {
        return qobject_cast<Control*>(byName_.value(QString::fromStdString(name)));
    }

private:
    QHash<QString, QWidget*> byName_;
};

// The settings a window holds, read the way the model stores them.
PagerSettings SettingsOf(const TForm1& window, const WindowControls& controls)
{
    PagerSettings settings;
    for (const SettingDefinition& setting : q9tx::SettingTable()) {
        const std::string& name = setting.name;
        if (setting.kind == SettingKind::Check) {
            settings.setChecked(name, controls.get<QCheckBox>(name)->isChecked());
            continue;
        }
        if (setting.kind == SettingKind::List) {
            const auto* list = controls.get<QComboBox>(name);
            const QVariant stored = list->property(kStoredValueProperty);
            settings.setNumber(name, list->currentIndex() < 0 && stored.isValid() ? stored.toLongLong()
                                                                                  : list->currentIndex());
            continue;
        }
        const QString text = controls.get<QLineEdit>(name)->text();
        switch (setting.kind) {
        case SettingKind::Frequency:
            settings.setNumber(name, text.isEmpty() ? 0 : q9tx::FrequencyFieldToHertz(text, window.decimalSeparator()));
            break;
        case SettingKind::Tone:
            settings.setNumber(name, q9tx::TextToTone(text.toStdString()));
            break;
        case SettingKind::Text:
        case SettingKind::Time:
            settings.setText(name, text.toLatin1().toStdString());
            break;
        default:
            settings.setNumber(name, text.toLongLong());
            break;
        }
    }
    return settings;
}

QStringList Differences(const PagerSettings& window, const PagerSettings& model)
{
    QStringList lines;
    for (const SettingDefinition& setting : q9tx::SettingTable()) {
        const q9tx::SettingValue& a = window.value(setting.name);
        const q9tx::SettingValue& b = model.value(setting.name);
        if (a != b) {
            lines << QString::fromStdString(setting.name + ": window " + q9tx::FormatValue(setting, a) + ", model " +
                                            q9tx::FormatValue(setting, b));
        }
    }
    return lines;
}

int Uniform(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// An image whose values all fit the window's fields: contrast of two digits, folder sizes
// of one or two, minutes below 60, frequencies of at most nine characters.
ConfigImage ShowableImage(std::mt19937& random)
{
    ConfigImage image{};
    for (std::uint8_t& byte : image)
        byte = static_cast<std::uint8_t>(Uniform(random, 0, 255));
    image[0] = 0x28;
    image[1] = 0xAC;
    image[2] = 1;
    image[3] = 0;
    if (Uniform(random, 0, 1) == 0)
        image[4] = image[5] = 0;
    else
        image[4] |= 1;
    image[120] = static_cast<std::uint8_t>(Uniform(random, 8, 63));
    // Frequencies the FS8108 can be set to too, so that whichever chip the window holds
    // accepts them: a refused one stays marked into the next load.
    for (;;) {
        const auto chip = static_cast<std::uint8_t>(Uniform(random, 0, 2));
        const std::uint32_t unit = q9tx::kChannelSteps[Uniform(random, 0, 5)] * (Uniform(random, 0, 1) ? 2 : 1);
        const std::uint32_t hertz = static_cast<std::uint32_t>(Uniform(random, 4000, 23000)) * unit +
                                    q9tx::kIntermediateFrequency;
        q9tx::RfWord rfWord{};
        q9tx::SetRfChipType(rfWord, chip);
        if (q9tx::IsReachableFrequency(hertz, q9tx::PllChipFs8108) && q9tx::FrequencyToRfWord(hertz, rfWord) &&
            q9tx::FrequencyFieldText(hertz).size() <= 9) {
            q9tx::PutRfWord(image, rfWord);
            break;
        }
    }
    int next = 0;
    const int used = Uniform(random, 0, q9tx::kFolderCount);
    for (int k = 1; k <= q9tx::kFolderCount; ++k) {
        const std::size_t offset = q9tx::FolderRangeOffset(k);
        const int size = Uniform(random, 1, 12);
        image[offset] = k <= used ? static_cast<std::uint8_t>(next) : 0xFF;
        image[offset + 1] = k <= used ? static_cast<std::uint8_t>(next + size - 1) : 0;
        next += k <= used ? size : 0;
    }
    for (int day = 1; day <= q9tx::kDayCount; ++day) {
        std::uint8_t* record = &image[q9tx::ScheduleDayOffset(day)];
        record[0] = static_cast<std::uint8_t>((record[0] & 0x80) | Uniform(random, 0, 30));
        record[1] = static_cast<std::uint8_t>(Uniform(random, 0, 59));
        record[2] = static_cast<std::uint8_t>(Uniform(random, 0, 30));
        record[3] = static_cast<std::uint8_t>(Uniform(random, 0, 59));
        if (Uniform(random, 0, 9) == 0) {
            record[2] = record[0] & 0x7F;
            record[3] = record[1];
        }
    }
    return Sealed(image);
}

// ---- One edit through both. ----

enum class Entry { Typed, Pasted };

struct Edit {
    const char* text;
    Entry entry = Entry::Typed;
};

// Values for each kind of setting: legal, illegal, the borders of each range and texts
// that only a paste gets past the key filters. A value longer than a field's limit is
// left out, since the window does not let it be typed.
const std::vector<Edit>& EditsOf(SettingKind kind)
{
    static const std::vector<Edit> capcodes = {
        {""},        {"7"},       {"8"},       {"2004013"}, {"2004008"}, {"2007663"}, {"2007664"},
        {"2007671"}, {"2007672"}, {"2045055"}, {"2045056"}, {"2045064"}, {"2097143"}, {"2097144"},
        {"9999999"}, {"12a", Entry::Pasted}};
    static const std::vector<Edit> numbers = {{""},   {"0"},  {"1"},  {"2"},   {"3"},   {"7"},
                                              {"8"},  {"40"}, {"61"}, {"62"},  {"63"},  {"64"},
                                              {"99"}, {"255"}, {"256"}, {"1x", Entry::Pasted}};
    static const std::vector<Edit> frequencies = {{"433.925"}, {"457.6125"}, {"454"}, {"300"},
                                                  {""},        {"1.2.3", Entry::Pasted}};
    static const std::vector<Edit> tones = {{"3c"}, {"F"}, {""}, {"ffff"}, {"3g", Entry::Pasted}};
    static const std::vector<Edit> texts = {{"Hi"}, {""}, {"1234"}, {"xxxxxxxxxxxxxxxxxxxx"}, {"12a", Entry::Pasted}};
    static const std::vector<Edit> times = {{"23:59"}, {"00:00"}, {"24:00"}, {"12:60"}, {"18:00"},
                                            {" 9:00", Entry::Pasted}};
    static const std::vector<Edit> checks = {{"yes"}, {"no"}};
    switch (kind) {
    case SettingKind::Capcode:
        return capcodes;
    case SettingKind::Number:
        return numbers;
    case SettingKind::Frequency:
        return frequencies;
    case SettingKind::Tone:
        return tones;
    case SettingKind::Text:
        return texts;
    case SettingKind::Time:
        return times;
    default:
        return checks;
    }
}

// Edits that need another setting first: the given edit runs through both as well.
struct GivenEdit {
    const char* givenName;
    const char* givenText;
    const char* name;
    Edit edit;
};
const GivenEdit kGivenEdits[] = {
    {"fixedAlertMode", "Vibrate", "muteOption", {"yes"}},
    {"fixedAlertMode", "Let user choose", "muteOption", {"yes"}},
    {"storage4", "Private", "folderEn1", {"yes"}},
    {"folderEn3", "no", "folderEn4", {"yes"}},
    {"folderEn3", "no", "folderEn3", {"yes"}},
    {"bs3", "35", "bs1", {"40"}},
    {"bs1", "40", "bs3", {"35"}},
    {"address2", "2004013", "address6", {"2004013"}},
    {"pllChip", "FS8170", "frequency", {"457.6125"}},
    {"useSchedule", "no", "start1", {"24:00"}},
};

// The window's answer to an edit: whether it refused the value and the message it
// showed. `silent` when the control could not be changed; `errorBox` when the general
// error box spoke, as it does for a text the conversion cannot read, at once or when
// the settings are collected for a save or write.
struct WindowAnswer {
    bool refused = false;
    bool silent = false;
    bool errorBox = false;
    QString message;
};

// Controls whose disabling also decides their value; a disabled control of any other
// kind keeps a value that only the command line may change.
constexpr std::string_view kDecidedWhileDisabled[] = {"folderEn", "muteOption", "channelSpacing"};

bool IsDecidedWhileDisabled(const std::string& name)
{
    return std::any_of(std::begin(kDecidedWhileDisabled), std::end(kDecidedWhileDisabled),
                       [&name](std::string_view family) { return name.starts_with(family); });
}

void TypeInto(WindowDriver& driver, const SettingDefinition& setting, QLineEdit* field, const Edit& edit)
{
    QString text = QString::fromLatin1(edit.text);
    if (setting.kind == SettingKind::Frequency)
        text.replace(u'.', driver.window.decimalSeparator());
    driver.enter(field);
    if (setting.kind == SettingKind::Time) {
        field->setCursorPosition(0);
        if (edit.entry == Entry::Pasted)
            field->setText(text);
        else
            QTest::keyClicks(field, text.remove(u':'));
        return;
    }
    field->clear();
    if (edit.entry == Entry::Pasted)
        field->insert(text);
    else
        WindowDriver::type(field, text);
}

WindowAnswer EditInWindow(WindowDriver& driver, const SettingDefinition& setting, const Edit& edit)
{
    TForm1& window = driver.window;
    QWidget* control = window.findChild<QWidget*>(QString::fromStdString(setting.name));
    driver.errors.clear();
    window.setStatusText(QString());
    if (!control->isEnabled())
        return {true, true, false, {}};
    const QString text = QString::fromLatin1(edit.text);
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (box->isChecked() != (text == QLatin1String("yes")))
            box->click();
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        driver.enter(list);
        WindowDriver::choose(list, list->findText(text));
        driver.leave();
    } else {
        TypeInto(driver, setting, qobject_cast<QLineEdit*>(control), edit);
        // The key filter's refusal: what it let through is a different value.
        const QString filtered = window.statusText();
        driver.leave();
        if (!filtered.isEmpty() && driver.errors.isEmpty())
            return {true, false, false, filtered};
    }
    if (driver.errors.isEmpty()) {
        try {
            q9tx::CollectSettings(window.editor(), q9tx::UnreadableNumbers::Refuse);
        } catch (const q9tx::ConversionError& error) {
            driver.errors << QString::fromStdString(error.what());
        }
    }
    if (!driver.errors.isEmpty())
        return {true, false, true, driver.errors.last()};
    // A paste gets past the passcode's key filter, and its exit rule judges only a passcode
    // refused before: the check before a save or write judges it.
    if (setting.digitsOnly && !window.ValidateSettings())
        return {true, false, false, window.statusText()};
    return {q9tx::isRefused(control), false, false, window.statusText()};
}

// Whether the model and the window agree on one edit; empty when they do.
QString Disagreement(WindowDriver& driver, PagerSettings& model, const std::string& name, const Edit& edit)
{
    const SettingDefinition& setting = *q9tx::FindSetting(name);
    const PagerSettings before = model;
    const WindowAnswer window = EditInWindow(driver, setting, edit);
    const std::optional<q9tx::SettingProblem> problem = q9tx::ApplySetting(model, name, edit.text);
    const QString modelMessage = problem ? QString::fromStdString(problem->message) : QString();
    const QString label = QStringLiteral("%1=\"%2\"%3: ")
                              .arg(QString::fromStdString(name), QLatin1String(edit.text),
                                   edit.entry == Entry::Pasted ? QStringLiteral(" pasted") : QString());
    // A disabled control that keeps its value may still be set from the command line,
    // as long as nothing else follows from it.
    const bool keptWhileDisabled = window.silent && !IsDecidedWhileDisabled(name);
    if (window.silent && !problem && (model == before || keptWhileDisabled)) {
        PagerSettings only = before;
        only.setNumber(name, model.number(name));
        only.setText(name, model.text(name));
        return only == model ? QString() : label + QStringLiteral("the model changes more than the setting");
    }
    if (window.refused != problem.has_value())
        return label + QStringLiteral("window %1 (\"%2\"), model %3 (\"%4\")")
                           .arg(window.refused ? QStringLiteral("refuses") : QStringLiteral("takes"), window.message,
                                problem ? QStringLiteral("refuses") : QStringLiteral("takes"), modelMessage);
    // The general error box names the unreadable text; the model says what to type.
    if (!window.silent && !window.errorBox && window.message != modelMessage)
        return label + QStringLiteral("window says \"%1\", model \"%2\"").arg(window.message, modelMessage);
    PagerSettings shown = q9tx::CollectSettings(driver.window.editor(), q9tx::UnreadableNumbers::TakeStartUpValue);
    if (problem) {
        // The window keeps a refused text for the user to correct.
        shown.setNumber(name, model.number(name));
        shown.setText(name, model.text(name));
    }
    const QStringList differences = Differences(shown, model);
    return differences.isEmpty() ? QString() : label + differences.join(QStringLiteral("; "));
}

}  // namespace

class SettingsModelCrossCheck : public QObject {
    Q_OBJECT

private slots:
    void startupValuesAreTheWindows()
    {
        TestWindow window;
        const QStringList differences =
            Differences(SettingsOf(*window, WindowControls(*window)), q9tx::DefaultSettings());
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(u'\n')));
    }

    void loadedAndBuiltImagesAgree()
    {
        std::mt19937 random(kSeed);
        TestWindow window;
        const WindowControls controls(*window);
        int refused = 0;
        for (int n = 0; n < kImageCount; ++n) {
            const ConfigImage image = ShowableImage(random);
            const PagerSettings before = SettingsOf(*window, controls);
            window->DecodeImage(image);
            const PagerSettings model = q9tx::DecodeSettings(image, before);
            const PagerSettings shown = SettingsOf(*window, controls);
            const QStringList differences = Differences(shown, model);
            QVERIFY2(differences.isEmpty(), qPrintable(QStringLiteral("image %1:\n").arg(n) + differences.join(u'\n') +
                                                       u'\n' + BytesOf(image).toHex(' ')));

            const q9tx::ImageHeader header = q9tx::HeaderOf(image);
            const bool escalatingShown = !Control<QCheckBox>(*window, QStringLiteral("escalatingAlerts"))->isHidden();
            std::optional<ConfigImage> fromWindow;
            std::optional<ConfigImage> fromModel;
            try {
                fromWindow = window->EncodeImage(header);
            } catch (const std::exception&) {
            }
            try {
                fromModel = q9tx::EncodeSettings(model, header, escalatingShown);
            } catch (const q9tx::SettingsRefused&) {
                ++refused;
            }
            QVERIFY2(fromWindow.has_value() == fromModel.has_value(), qPrintable(QStringLiteral("image %1").arg(n)));
            if (fromWindow)
                QCOMPARE(BytesOf(*fromModel).toHex(' '), BytesOf(*fromWindow).toHex(' '));
        }
        QVERIFY(window.errors.isEmpty());
        QVERIFY(refused < kImageCount / 2);
    }

    // Every setting with the values of its kind, and the edits that need another first,
    // from a start where every control a user may change is usable: recovery mode on,
    // canned messages, a reminder and hand programming on, one address public and half
    // the folders in use.
    void editsAgree()
    {
        QLocale::setDefault(QLocale(QLocale::English));
        WindowDriver driver;
        QVERIFY(driver.active);
        driver.window.Recover1->trigger();
        PagerSettings start = q9tx::DefaultSettings();
        QStringList disagreements;
        for (const auto& [name, text] : std::initializer_list<std::pair<std::string, const char*>>{
                 {"cannedMessages", "yes"}, {"unreadReminder", "1 sec"}, {"storage4", "Public"}, {"handProg", "yes"}})
            disagreements << Disagreement(driver, start, name, {text});
        for (int k = 1; k <= q9tx::kFolderCount / 2; ++k)
            disagreements << Disagreement(driver, start, q9tx::Member("folderEn", k), {"yes"});

        const auto fromStart = [&](const std::string& name, const Edit& edit) {
            q9tx::ShowSettings(driver.window.editor(), start);
            PagerSettings model = start;
            disagreements << Disagreement(driver, model, name, edit);
        };
        for (const SettingDefinition& setting : q9tx::SettingTable()) {
            if (setting.kind == SettingKind::List) {
                for (const std::string_view item : setting.items)
                    fromStart(setting.name, {std::string(item).c_str()});  // the text lives through the call
                continue;
            }
            for (const Edit& edit : EditsOf(setting.kind)) {
                if (setting.maxLength == 0 || std::strlen(edit.text) <= setting.maxLength)
                    fromStart(setting.name, edit);
            }
        }
        for (const GivenEdit& given : kGivenEdits) {
            q9tx::ShowSettings(driver.window.editor(), start);
            PagerSettings model = start;
            disagreements << Disagreement(driver, model, given.givenName, {given.givenText});
            disagreements << Disagreement(driver, model, given.name, given.edit);
        }
        disagreements.removeAll(QString());
        for (const QString& disagreement : disagreements)
            qWarning().noquote() << disagreement;
        QCOMPARE(disagreements.size(), 0);
    }
};

QTEST_MAIN(SettingsModelCrossCheck)
#include "settings_model_crosscheck_test.moc"
