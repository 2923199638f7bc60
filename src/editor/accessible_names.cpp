#include "editor/accessible_names.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

#include "editor/field_marks.h"
#include "image/setting_table.h"

namespace q9tx {

namespace {

// Controls that the setting table does not hold.
struct ExtraName {
    const char* objectName;
    const char* name;
};
constexpr ExtraName kExtraNames[] = {
    {"customerId", "Customer ID"},
    {"mapVersion", "Map version"},
    {"lcdGain", "LCD gain"},
    {"overheat", "Overheat"},
    {"comment", "Comment"},
    {"serialInc", "Serial number auto increment"},
    {"displayHoldTimeUpDown", "Display hold time up-down"},
    {"lcdBaseContrastUpDown", "LCD base contrast up-down"},
    {"rangeHoldTimeUpDown", "Range hold time up-down"},
    {"PageControl1", "Settings pages"},
    {"progressBar", "Progress"},
};

QString FromTable(const SettingDefinition& setting)
{
    const QString caption = QString::fromStdString(setting.caption);
    const QString name = QString::fromStdString(setting.name);
    if (setting.kind == SettingKind::Capcode)
        return caption + QStringLiteral(" capcode");
    if (setting.kind == SettingKind::Tone && !caption.startsWith(QStringLiteral("Tone")))
        return caption + QStringLiteral(" tone");
    if (name.startsWith(QStringLiteral("format")))  // "Address 2 format A"
        return QString(caption).replace(QStringLiteral(" format "), QStringLiteral(" function ")) +
               QStringLiteral(" format");
    if (name.startsWith(QStringLiteral("urgent")))  // "2A"
        return QStringLiteral("Urgent call target ") + caption;
    if (name.startsWith(QStringLiteral("period")))  // the day
        return caption + QStringLiteral(" schedule");
    if (setting.group == "Menus")
        return caption + QStringLiteral(" menu");
    return caption;
}

bool HasLabel(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!parent)
        return true;
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == control)
            return true;
    }
    return false;
}

// On Linux the toolkit names a drop-down by its value, as AT-SPI has it, and takes its
// label from the label it is the buddy of; one shown without a label (a row's format,
// a day's period) gets one that is never shown.
void AddUnseenLabel(QComboBox* box, const QString& name)
{
    auto* label = new QLabel(name, box->parentWidget());
    label->setBuddy(box);
    label->hide();
}

}  // namespace

QString AccessibleNameOf(const QString& objectName)
{
    for (const ExtraName& extra : kExtraNames) {
        if (objectName == QLatin1String(extra.objectName))
            return QString::fromLatin1(extra.name);
    }
    static const QRegularExpression step(QStringLiteral("^autoInc(\\d)$"));
    if (const QRegularExpressionMatch match = step.match(objectName); match.hasMatch())
        return QStringLiteral("Address %1 auto increment").arg(match.captured(1));
    if (const SettingDefinition* setting = FindSetting(objectName.toStdString()))
        return FromTable(*setting);
    return {};
}

void NameControls(QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = AccessibleNameOf(control->objectName());
        if (name.isEmpty())
            continue;
        control->setAccessibleName(name);
        if (auto* box = qobject_cast<QComboBox*>(control); box && !HasLabel(box))
            AddUnseenLabel(box, name);
    }
}

void AnnounceStatus(QWidget* window, QWidget* statusLabel, const QString& text)
{
    DescribeRefusals(window, text);
    // A label's text is its name: a screen reader that follows the status bar reads it.
    QAccessibleEvent event(statusLabel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace q9tx
