#include "editor/field_marks.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include "editor/readable_red.h"

namespace q9tx {

namespace {

// Set on a field refused since the last status message: that message says why.
constexpr const char* kRefusalUndescribed = "refusalUndescribed";

}  // namespace

void setRefused(QWidget* field, bool refused)
{
    field->setProperty(kErrorMarkProperty, refused ? 1 : 0);
    field->setProperty(kRefusalUndescribed, refused);
    if (!refused)
        field->setAccessibleDescription(QString());
    QPalette palette = field->palette();
    const QPalette normal = QApplication::palette(field);
    // Every colour group, so that a refused field stays red while disabled or inactive;
    // its text keeps the active colour there, since greyed text is lost on red.
    const QColor mark = MarkColour(normal);
    const QColor markText = normal.color(QPalette::Active, QPalette::Text);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, refused ? mark : normal.color(group, QPalette::Base));
        palette.setColor(group, QPalette::Text, refused ? markText : normal.color(group, QPalette::Text));
    }
    field->setPalette(palette);
}

bool isRefused(const QWidget* field) { return field->property(kErrorMarkProperty).toInt() != 0; }

QColor MarkColour(const QPalette& palette) { return ReadableRed(palette.color(QPalette::Active, QPalette::Text)); }

void DescribeRefusals(QWidget* window, const QString& message)
{
    for (QWidget* field : window->findChildren<QWidget*>()) {
        if (!field->property(kRefusalUndescribed).toBool())
            continue;
        field->setProperty(kRefusalUndescribed, false);
        field->setAccessibleDescription(message);
    }
}

}  // namespace q9tx
