#pragma once
// Tests reach the window's controls by the object names the rest of the system uses,
// never through members of the window: a control that is missing or of another type
// stops the test at once, naming it.

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <QtGlobal>

template <class T>
T* Control(const QWidget& root, const QString& name)
{
    T* const control = root.findChild<T*>(name);
    if (!control)
        qFatal("no control \"%s\" of the expected type under \"%s\"", name.toUtf8().constData(),
               root.objectName().toUtf8().constData());
    return control;
}
