#include "editor/field_widths.h"

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "editor/limited_edit.h"
#include "image/setting_table.h"

namespace q9tx {

namespace {

const QString kDigits = QStringLiteral("0123456789");

QString PrintableCharacters()
{
    QString characters;
    for (char c = 0x20; c < 0x7F; ++c)
        characters += QLatin1Char(c);
    return characters;
}

// QLineEdit keeps this many pixels free on each side of its text.
constexpr int kTextMargin = 2;
// The cursor after the last character.
constexpr int kCursorWidth = 1;
// An edit outside the setting table without a typing limit of its own.
constexpr int kLongestFreeText = 32;

void InvalidateAll(QLayout* layout)
{
    layout->invalidate();
    for (int i = 0; i < layout->count(); ++i) {
        if (QLayout* inner = layout->itemAt(i)->layout())
            InvalidateAll(inner);
    }
}

void Fit(QLineEdit* edit)
{
    const FieldContent content = ContentOf(edit);
    const QFontMetrics metrics(edit->font());
    const QMargins text = edit->textMargins();
    const QMargins contents = edit->contentsMargins();
    const int width = metrics.horizontalAdvance(WidestText(metrics, content.characters, content.length)) +
                      2 * kTextMargin + kCursorWidth + text.left() + text.right() + contents.left() +
                      contents.right();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QSize size =
        edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(width, metrics.height()), edit);
    if (edit->minimumWidth() == size.width() && edit->maximumWidth() == size.width())
        return;
    edit->setFixedWidth(size.width());
    // Up to the window, nested layouts and the size hints cached for each widget keep the
    // old width until told.
    for (QWidget* ancestor = edit->parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (ancestor->layout())
            InvalidateAll(ancestor->layout());
        ancestor->updateGeometry();
        if (ancestor->isWindow())
            break;
    }
}

class WidthKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            Fit(static_cast<QLineEdit*>(watched));
            break;
        default:
            break;
        }
        return false;
    }
};

}  // namespace

FieldContent ContentOf(const QLineEdit* edit)
{
    const SettingDefinition* setting = FindSetting(edit->objectName().toStdString());
    if (!setting)
        return {PrintableCharacters(), std::min(TypingLimit(edit), kLongestFreeText)};
    const int length = static_cast<int>(setting->maxLength);
    switch (setting->kind) {
    case SettingKind::Capcode:
    case SettingKind::Number:
        return {kDigits, length};
    case SettingKind::Tone:
        return {kDigits + QStringLiteral("ABCDEF"), length};
    case SettingKind::Time:
        return {kDigits + QLatin1Char(':'), length};
    case SettingKind::Frequency:
        return {kDigits + QStringLiteral(".,"), length};
    case SettingKind::Text:
        return {setting->digitsOnly ? kDigits : PrintableCharacters(), length};
    case SettingKind::Check:
    case SettingKind::List:
        break;
    }
    return {PrintableCharacters(), length};
}

QString WidestText(const QFontMetrics& metrics, const QString& characters, int length)
{
    QChar widest = QLatin1Char(' ');
    int widestAdvance = -1;
    for (const QChar c : characters) {
        const int advance = metrics.horizontalAdvance(c);
        if (advance > widestAdvance) {
            widest = c;
            widestAdvance = advance;
        }
    }
    return QString(length, widest);
}

void FitFieldWidths(QWidget* window)
{
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        // A drop-down's own edit is sized by the drop-down.
        if (edit->objectName().isEmpty())
            continue;
        edit->installEventFilter(new WidthKeeper(edit));
        Fit(edit);
    }
}

}  // namespace q9tx
