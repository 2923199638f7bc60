#include "editor/field_marks.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace q9tx {

void setRefused(QWidget* field, bool refused)
{
    field->setProperty(kErrorMarkProperty, refused ? 1 : 0);
    QPalette palette = field->palette();
    const QPalette normal = QApplication::palette(field);
    // Every colour group, so that a refused field stays red while disabled or inactive.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, refused ? QColor(0xFF, 0x00, 0x00) : normal.color(group, QPalette::Base));
    field->setPalette(palette);
}

bool isRefused(const QWidget* field) { return field->property(kErrorMarkProperty).toInt() != 0; }

}  // namespace q9tx
